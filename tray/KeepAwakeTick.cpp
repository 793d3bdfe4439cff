#include "tray/KeepAwakeTick.h"

#include "tray/SessionAnswer.h"
#include "tray/SessionEvents.h"

#include <wtsapi32.h>

#include <utility>

namespace {

constexpr char SystemPolicyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
constexpr char DesktopPolicyPath[] = "Software\\Policies\\Microsoft\\Windows\\Control Panel\\Desktop";
constexpr UINT ReasonCodePage = 932;
// Room for the title; a longer reason would be left empty.
constexpr int ReasonLength = 64;
constexpr char SessionLibraryName[] = "wtsapi32.dll";
constexpr DWORD FirstVersionWithoutCursorReset = 0x0600;

// The pure layer's copies of the system's numbers.
static_assert(ExecutionContinuous == ES_CONTINUOUS);
static_assert(ExecutionSystemRequired == ES_SYSTEM_REQUIRED);
static_assert(ExecutionDisplayRequired == ES_DISPLAY_REQUIRED);
static_assert(static_cast<int>(PowerRequestKind::Display) == PowerRequestDisplayRequired);
static_assert(static_cast<int>(PowerRequestKind::System) == PowerRequestSystemRequired);
static_assert(ConsoleConnect == WTS_CONSOLE_CONNECT);
static_assert(ConsoleDisconnect == WTS_CONSOLE_DISCONNECT);
static_assert(RemoteConnect == WTS_REMOTE_CONNECT);
static_assert(RemoteDisconnect == WTS_REMOTE_DISCONNECT);
static_assert(SessionLock == WTS_SESSION_LOCK);
static_assert(SessionUnlock == WTS_SESSION_UNLOCK);

using FreeSessionMemory = void(WINAPI*)(PVOID);

struct SessionMemoryTraits {
    using Handle = char*;
    static Handle Empty() { return nullptr; }
    static bool Valid(Handle memory) { return memory != nullptr; }
    void Release(Handle memory) const { freeMemory(memory); }
    FreeSessionMemory freeMemory;
};

// A REG_SZ policy switch set to "1"; a value of another type or length is
// not one.
bool PolicySwitchOn(const char* name)
{
    char text[2] {};
    DWORD size = sizeof text;
    return RegGetValueA(HKEY_CURRENT_USER, DesktopPolicyPath, name, RRF_RT_REG_SZ, nullptr, text, &size)
        == ERROR_SUCCESS
        && text[0] == '1' && text[1] == '\0';
}

// The major version times 256 plus the minor one; 0 where none is told.
DWORD SystemVersion()
{
    OSVERSIONINFOA version {};
    version.dwOSVersionInfoSize = sizeof version;
    return GetVersionExA(&version) ? version.dwMajorVersion << 8 | version.dwMinorVersion : 0;
}

} // namespace

void KeepAwakeTick()
{
    // Since Vista a cursor set to where it already is no longer resets the
    // idle time, and in a program the system scales for the screen's DPI
    // the point read and set back can move the pointer; a relative move of
    // zero resets it and moves nothing.  On a locked or secure desktop
    // GetCursorPos fails and leaves the point undefined.
    POINT cursor {};
    if (SystemVersion() < FirstVersionWithoutCursorReset && GetCursorPos(&cursor))
        SetCursorPos(cursor.x, cursor.y);

    INPUT nudge {};
    nudge.type = INPUT_MOUSE;
    nudge.mi.dwFlags = MOUSEEVENTF_MOVE;
    SendInput(1, &nudge, sizeof nudge);

    // Resets the display's and the system's power-saving timers once;
    // without ES_CONTINUOUS nothing is held until the next tick.
    SetThreadExecutionState(ES_DISPLAY_REQUIRED | ES_SYSTEM_REQUIRED);
}

bool LockPolicyInForce()
{
    // A REG_DWORD of four bytes only: a value of another type or size is no
    // limit the system would apply (RRF_RT_DWORD would admit a four-byte
    // REG_BINARY, and a shorter REG_DWORD passes any type check).
    DWORD seconds = 0;
    DWORD size = sizeof seconds;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, SystemPolicyPath, "InactivityTimeoutSecs", RRF_RT_REG_DWORD, nullptr,
            &seconds, &size)
            == ERROR_SUCCESS
        && size == sizeof seconds && seconds != 0)
        return true;
    return PolicySwitchOn("ScreenSaveActive") && PolicySwitchOn("ScreenSaverIsSecure");
}

bool IsThisSession(LPARAM session)
{
    DWORD own = 0;
    return ProcessIdToSessionId(GetCurrentProcessId(), &own) && own == static_cast<DWORD>(session);
}

bool SystemKeepAwakeHold::CreateRequest(std::string_view reason)
{
    using CreateCall = HANDLE(WINAPI*)(PREASON_CONTEXT);
    // Looked up: the requests came with Windows 7, and the program starts
    // on Vista too.
    HMODULE kernel32 = GetModuleHandleA("kernel32.dll");
    const auto create = ModuleFunction<CreateCall>(kernel32, "PowerCreateRequest");
    setRequest_ = ModuleFunction<ChangeRequest>(kernel32, "PowerSetRequest");
    clearRequest_ = ModuleFunction<ChangeRequest>(kernel32, "PowerClearRequest");
    if (create == nullptr || setRequest_ == nullptr || clearRequest_ == nullptr)
        return false;
    // The reason is shown by tools of any language: the one wide text of
    // the program, converted from its code page rather than the system's.
    wchar_t wide[ReasonLength];
    wide[MultiByteToWideChar(
        ReasonCodePage, 0, reason.data(), static_cast<int>(reason.size()), wide, ReasonLength - 1)]
        = L'\0';
    REASON_CONTEXT context {};
    context.Version = POWER_REQUEST_CONTEXT_VERSION;
    context.Flags = POWER_REQUEST_CONTEXT_SIMPLE_STRING;
    context.Reason.SimpleReasonString = wide;
    request_.Reset(create(&context));
    return static_cast<bool>(request_);
}

bool SystemKeepAwakeHold::SetRequest(PowerRequestKind kind)
{
    return setRequest_(request_.Get(), static_cast<POWER_REQUEST_TYPE>(kind)) != FALSE;
}

void SystemKeepAwakeHold::ClearRequest(PowerRequestKind kind)
{
    clearRequest_(request_.Get(), static_cast<POWER_REQUEST_TYPE>(kind));
}

void SystemKeepAwakeHold::SetExecutionState(std::uint32_t flags)
{
    SetThreadExecutionState(flags);
}

bool SessionWatch::Register(HWND window)
{
    if (window_ != nullptr)
        return false;
    // By name: since the start every load by name looks in the system
    // folder only, where the system can restrict it.
    if (!library_)
        library_.Reset(LoadLibraryA(SessionLibraryName));
    using RegisterCall = BOOL(WINAPI*)(HWND, DWORD);
    const auto registerWindow
        = ModuleFunction<RegisterCall>(library_.Get(), "WTSRegisterSessionNotification");
    if (registerWindow == nullptr || !registerWindow(window, NOTIFY_FOR_THIS_SESSION))
        return false;
    window_ = window;
    return true;
}

void SessionWatch::Unregister()
{
    using UnregisterCall = BOOL(WINAPI*)(HWND);
    const auto unregister
        = ModuleFunction<UnregisterCall>(library_.Get(), "WTSUnRegisterSessionNotification");
    if (HWND window = std::exchange(window_, nullptr); window != nullptr && unregister != nullptr)
        unregister(window);
}

bool SessionWatch::Locked() const
{
    using QueryCall = BOOL(WINAPI*)(HANDLE, DWORD, WTS_INFO_CLASS, LPSTR*, DWORD*);
    const DWORD version = SystemVersion();
    const auto query = ModuleFunction<QueryCall>(library_.Get(), "WTSQuerySessionInformationA");
    const auto freeMemory = ModuleFunction<FreeSessionMemory>(library_.Get(), "WTSFreeMemory");
    LPSTR answer = nullptr;
    DWORD size = 0;
    // Windows 7 is not asked: it reports the lock flag reversed.
    if (version < FirstVersionReportingLock || query == nullptr || freeMemory == nullptr
        || !query(WTS_CURRENT_SERVER_HANDLE, WTS_CURRENT_SESSION,
            static_cast<WTS_INFO_CLASS>(SessionInfoExClass), &answer, &size))
        return false;
    const UniqueOwner<SessionMemoryTraits> memory(answer, SessionMemoryTraits { freeMemory });
    return SessionAnswerLocked(version, answer, size);
}
