#pragma once

// The one owner of everything the program acquires from the system: kernel
// handles, searches, registry keys, atoms, GDI and USER objects and the DDE
// objects.  Move-only; what it holds is released when it goes, on every
// path.  `Traits` names the handle type, the value that means "none" and how
// to release one; a traits object may carry what the release needs besides
// the handle (the DDE instance of a string handle).
//
//     struct Traits {
//         using Handle = ...;
//         static Handle Empty();
//         static bool Valid(Handle);       // false for every "none" value
//         void Release(Handle) const;
//     };

#include <utility>

template <typename Traits> class UniqueOwner {
public:
    using Handle = typename Traits::Handle;

    UniqueOwner() = default;
    explicit UniqueOwner(Handle handle, Traits traits = {})
        : handle_(handle)
        , traits_(traits)
    {
    }
    UniqueOwner(UniqueOwner&& other) noexcept
        : handle_(std::exchange(other.handle_, Traits::Empty()))
        , traits_(other.traits_)
    {
    }
    UniqueOwner& operator=(UniqueOwner&& other) noexcept
    {
        if (this != &other) {
            Reset();
            handle_ = std::exchange(other.handle_, Traits::Empty());
            traits_ = other.traits_;
        }
        return *this;
    }
    UniqueOwner(const UniqueOwner&) = delete;
    UniqueOwner& operator=(const UniqueOwner&) = delete;
    ~UniqueOwner() { Reset(); }

    Handle Get() const { return handle_; }
    explicit operator bool() const { return Traits::Valid(handle_); }

    // The stored handle is cleared before the old one is released, so that
    // nothing reached from the release finds it still here.
    void Reset(Handle handle = Traits::Empty())
    {
        const Handle old = std::exchange(handle_, handle);
        if (Traits::Valid(old))
            traits_.Release(old);
    }
    // Hands the handle to a new owner (a call or a control that takes it).
    Handle Release() { return std::exchange(handle_, Traits::Empty()); }

private:
    Handle handle_ = Traits::Empty();
    [[no_unique_address]] Traits traits_ {};
};

// Traits for a handle whose "none" is its null value and whose release is
// one call that takes the handle alone.
template <typename HandleType, auto ReleaseFunction> struct ReleasedBy {
    using Handle = HandleType;
    static Handle Empty() { return Handle {}; }
    static bool Valid(Handle handle) { return handle != Handle {}; }
    void Release(Handle handle) const { ReleaseFunction(handle); }
};
