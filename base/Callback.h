#pragma once

// What a control, menu item, timer or window calls back: a small callable
// that copies as plain bytes (a lambda capturing `this` or a few
// references), called through one function pointer.  std::function brought
// a manager function and an unwinding path with every lambda given to it.

#include <cstddef>
#include <new>
#include <type_traits>
#include <utility>

template <typename Signature> class Callback;

template <typename Result, typename... Arguments> class Callback<Result(Arguments...)> {
public:
    Callback() = default;
    Callback(std::nullptr_t) { }

    template <typename Callable>
    requires(!std::is_same_v<std::remove_cvref_t<Callable>,
                 Callback> && std::is_invocable_r_v<Result, const Callable&, Arguments...>)
        Callback(Callable callable)
    {
        static_assert(std::is_trivially_copyable_v<Callable> && std::is_trivially_destructible_v<Callable>,
            "a callback keeps only what copies as plain bytes: capture this or references");
        static_assert(sizeof(Callable) <= sizeof(Storage) && alignof(Callable) <= alignof(Storage),
            "a callback keeps at most three pointers");
        ::new (static_cast<void*>(storage_.bytes)) Callable(callable);
        call_ = [](const Storage& storage, Arguments... arguments) -> Result {
            const auto& kept = *std::launder(reinterpret_cast<const Callable*>(storage.bytes));
            return kept(std::forward<Arguments>(arguments)...);
        };
    }

    explicit operator bool() const { return call_ != nullptr; }

    // An empty callback does nothing and gives Result {}.
    Result operator()(Arguments... arguments) const
    {
        if (call_ == nullptr)
            return Result();
        return call_(storage_, std::forward<Arguments>(arguments)...);
    }

private:
    struct Storage {
        alignas(void*) unsigned char bytes[3 * sizeof(void*)] {};
    };

    Storage storage_;
    Result (*call_)(const Storage&, Arguments...) = nullptr;
};
