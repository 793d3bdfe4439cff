#pragma once

// The keep-awake controller's calls into the system: the tick, the held
// requests, the administrators' lock policies and the session's changes.

#include "platform/Handle.h"
#include "platform/Module.h"
#include "tray/KeepAwakeHold.h"

#include <windows.h>

// Counts as user activity for the screen saver and the display's power
// saving without moving anything.
void KeepAwakeTick();

// An administrator's rule locks the session after a time without input:
// the machine's inactivity limit, or a password-protected screen saver
// that policy enforces.  Read afresh at every call, so that a policy
// applied during the session counts.
bool LockPolicyInForce();

// True when a session change message is about this process's session.
bool IsThisSession(LPARAM session);

class SystemKeepAwakeHold final : public KeepAwakeHold {
protected:
    bool CreateRequest(std::string_view reason) override;
    bool SetRequest(PowerRequestKind kind) override;
    void ClearRequest(PowerRequestKind kind) override;
    void SetExecutionState(std::uint32_t flags) override;

private:
    using ChangeRequest = BOOL(WINAPI*)(HANDLE, POWER_REQUEST_TYPE);

    UniqueHandle request_;
    ChangeRequest setRequest_ = nullptr;
    ChangeRequest clearRequest_ = nullptr;
};

// The tray window's session notifications.  wtsapi32 is loaded at the first
// registration, which comes after the icon shows: a start must not wait
// for it.
class SessionWatch {
public:
    SessionWatch() = default;
    SessionWatch(const SessionWatch&) = delete;
    SessionWatch& operator=(const SessionWatch&) = delete;
    ~SessionWatch() { Unregister(); }

    // Registers `window` unless that is done; true when this call did it.
    bool Register(HWND window);
    void Unregister();
    // The system says that the session is locked now.
    bool Locked() const;

private:
    UniqueModule library_;
    HWND window_ = nullptr;
};
