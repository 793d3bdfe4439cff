// wtsapi32.dll as Windows 8 and later answer, for the calls the program
// makes: Wine's own refuses the lock state's class.  The lock flag is the
// test's: DRIM_STANDIN_SESSION_FLAGS, as decimal text (0 locked, 1
// unlocked); the session is always an active one.

#include <windows.h>

#include <cstdlib>
#include <cstring>

namespace {

// The documented layout of WTSINFOEXA on 32-bit x86, written out byte by
// byte rather than declared: the program's own declaration is what the
// test checks.
constexpr DWORD SessionInfoExClass = 25;
constexpr DWORD AnswerSize = 160;
constexpr DWORD LevelAt = 0;
constexpr DWORD SessionIdAt = 8;
constexpr DWORD SessionStateAt = 12;
constexpr DWORD SessionFlagsAt = 16;
constexpr LONG ActiveState = 0;
constexpr LONG UnknownFlags = -1;

void Put(char* answer, DWORD at, LONG value)
{
    std::memcpy(answer + at, &value, sizeof value);
}

LONG TestsFlags()
{
    char text[16] = {};
    const DWORD length = GetEnvironmentVariableA("DRIM_STANDIN_SESSION_FLAGS", text, sizeof text);
    return length == 0 || length >= sizeof text ? UnknownFlags : std::atol(text);
}

} // namespace

extern "C" {

__declspec(dllexport) BOOL WINAPI WTSRegisterSessionNotification(HWND, DWORD)
{
    return TRUE;
}

__declspec(dllexport) BOOL WINAPI WTSUnRegisterSessionNotification(HWND)
{
    return TRUE;
}

__declspec(dllexport) BOOL WINAPI
    WTSQuerySessionInformationA(HANDLE, DWORD, DWORD infoClass, LPSTR* buffer, DWORD* size)
{
    if (infoClass != SessionInfoExClass || buffer == nullptr || size == nullptr) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return FALSE;
    }
    auto* answer = static_cast<char*>(LocalAlloc(LPTR, AnswerSize));
    if (answer == nullptr)
        return FALSE;
    DWORD session = 0;
    ProcessIdToSessionId(GetCurrentProcessId(), &session);
    Put(answer, LevelAt, 1);
    Put(answer, SessionIdAt, static_cast<LONG>(session));
    Put(answer, SessionStateAt, ActiveState);
    Put(answer, SessionFlagsAt, TestsFlags());
    *buffer = answer;
    *size = AnswerSize;
    return TRUE;
}

__declspec(dllexport) void WINAPI WTSFreeMemory(PVOID memory)
{
    LocalFree(memory);
}

} // extern "C"
