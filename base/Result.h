#pragma once

// What an operation that can fail gives back: its value, or the text that
// tells the user why there is none.  The program has no exceptions; a caller
// either shows the text (or a message of its own) or says in a comment why
// it does not look.  [[nodiscard]] makes a dropped result a compile error.
// Taking the value of a failure is a fault of the program: it goes to the
// C++ library's logic-error hook, which the program defines to end in its
// failure box, naming the failure's text.

#include <bits/functexcept.h>
#include <optional>
#include <string>
#include <utility>

// The user-visible text of a failure, in code page 932.
struct Failure {
    std::string text;
};

template <typename T = void> class [[nodiscard]] Result {
public:
    Result(T value)
        : value_(std::move(value))
    {
    }
    Result(Failure failure)
        : failure_(std::move(failure.text))
    {
    }

    explicit operator bool() const { return value_.has_value(); }
    T& operator*() { return Value(); }
    const T& operator*() const { return Value(); }
    T* operator->() { return &Value(); }
    const T* operator->() const { return &Value(); }
    // Empty while the operation succeeded.
    const std::string& Message() const { return failure_; }

private:
    T& Value() { return const_cast<T&>(static_cast<const Result&>(*this).Value()); }
    const T& Value() const
    {
        if (!value_)
            std::__throw_logic_error(failure_.empty() ? "Result without a value" : failure_.c_str());
        return *value_;
    }

    std::optional<T> value_;
    std::string failure_;
};

template <> class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Failure failure)
        : failed_(true)
        , failure_(std::move(failure.text))
    {
    }

    explicit operator bool() const { return !failed_; }
    const std::string& Message() const { return failure_; }

private:
    bool failed_ = false;
    std::string failure_;
};
