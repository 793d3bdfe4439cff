#pragma once

// The mouse moves that reach the system as injected input (SendInput, from
// any process), seen by a low-level mouse hook while the watch lives.  A
// cursor set with SetCursorPos is not injected input and is not counted.

#include <windows.h>

class InjectedMoveWatch {
public:
    InjectedMoveWatch();
    ~InjectedMoveWatch();
    InjectedMoveWatch(const InjectedMoveWatch&) = delete;
    InjectedMoveWatch& operator=(const InjectedMoveWatch&) = delete;

    bool Watching() const { return hooked_; }
    // Injected moves seen since the watch began.
    long Count() const;

private:
    static DWORD WINAPI HookThread(void* watch);

    HANDLE thread_ = nullptr;
    DWORD threadId_ = 0;
    HANDLE ready_ = nullptr;
    bool hooked_ = false;
};
