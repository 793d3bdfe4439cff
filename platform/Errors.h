#pragma once

// The errors that carry a text for the user.  Code that fails throws one of
// these; the caller catches it and shows its own message, or this one.
//
// The base holds its text in the program's own std::string rather than
// deriving from std::runtime_error: the library's exception classes keep a
// second, reference-counted string implementation of their own, and linking
// it in would double the program's share of the C++ library.

#include <exception>
#include <string>
#include <utility>

class DrimError : public std::exception {
public:
    explicit DrimError(std::string text)
        : text_(std::move(text))
    {
    }
    explicit DrimError(const char* text)
        : text_(text)
    {
    }

    const char* what() const noexcept override { return text_.c_str(); }

private:
    std::string text_;
};

// A file that could not be opened for reading.
class EFOpenError : public DrimError {
public:
    using DrimError::DrimError;
};

// A file that could not be created.
class EFCreateError : public DrimError {
public:
    using DrimError::DrimError;
};

// A file whose contents could not be read or written in full.
class EInOutError : public DrimError {
public:
    using DrimError::DrimError;
};

// An operation that the object's state does not allow.
class EInvalidOperation : public DrimError {
public:
    using DrimError::DrimError;
};

// Text that is not the number it should be.
class EConvertError : public DrimError {
public:
    using DrimError::DrimError;
};

// A position outside the table or text it should index.
class ERangeError : public DrimError {
public:
    using DrimError::DrimError;
};
