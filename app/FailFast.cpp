// The program is built without exceptions.  The C++ library's failure hooks
// (every one its header bits/functexcept.h declares) are defined here, once,
// and end the program visibly; defining them keeps the library's throwing
// versions out of the program, and with them the unwinder they would need.
// One left out would bring its library file, which throws, at its first
// use: the build fails then (cmake/CheckNoUnwinder.cmake reads the link
// map).

#include "app/FailFast.h"

#include "platform/Handle.h"
#include "program/ProgramValues.h"

#include <bits/functexcept.h>
#include <csignal>

namespace {

constexpr char FaultText[] = "内部エラーが発生しましたので、終了します。\n";
constexpr char RangeFailure[] = "範囲外の位置が指定されました";
constexpr char LengthFailure[] = "文字列・表の長さが上限を超えました";
constexpr char LogicFailure[] = "想定外の状態になりました";
constexpr char TerminateFailure[] = "処理が中断されました";

struct FailureBox {
    char text[512];
    char title[64];
};

// The box's own thread, which has no window of the program: its modal loop
// dispatches nothing but the box.  No owner: the faulting thread's windows
// no longer run the program.  Task-modal would disable only this thread's
// windows, which are none.
DWORD WINAPI ShowFailureBox(void* parameter)
{
    const FailureBox& box = *static_cast<const FailureBox*>(parameter);
    MessageBoxA(nullptr, box.text, box.title, MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
    return 0;
}

BOOL CALLBACK HandToDefault(HWND window, LPARAM)
{
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DefWindowProcA));
    return TRUE;
}

BOOL CALLBACK HandToDefaultWithChildren(HWND window, LPARAM)
{
    HandToDefault(window, 0);
    EnumChildWindows(window, HandToDefault, 0);
    return TRUE;
}

// Every window of this thread answers from now on as a window without a
// program would, so that another thread's SendMessage (a broadcast, a DDE
// initiate, the shell's) gets its answer and runs none of the program's
// code.  Message-only windows: Wine's EnumThreadWindows leaves them out.
void HandThreadWindowsToDefault()
{
    const DWORD thread = GetCurrentThreadId();
    EnumThreadWindows(thread, HandToDefaultWithChildren, 0);
    for (HWND window = FindWindowExA(HWND_MESSAGE, nullptr, nullptr, nullptr); window != nullptr;
         window = FindWindowExA(HWND_MESSAGE, window, nullptr, nullptr)) {
        if (GetWindowThreadProcessId(window, nullptr) == thread)
            HandToDefaultWithChildren(window, 0);
    }
}

// Answers sent messages only, until `thread` ends: with PM_QS_SENDMESSAGE
// PeekMessage delivers the messages sent to this thread and retrieves no
// posted message and no timer.
void AnswerSentMessagesUntilEnd(HANDLE thread)
{
    MSG message;
    while (MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1)
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}

[[noreturn]] void FailFastOnAbort(int)
{
    FailFast(TerminateFailure, "abort");
}

} // namespace

void InstallFailFastHandlers()
{
    std::signal(SIGABRT, FailFastOnAbort);
}

void FailFast(const char* failure, const char* detail)
{
    // Built in a fixed buffer: the fault may be that no memory is left.
    FailureBox box {};
    std::size_t used = 0;
    const auto append = [&](const char* part) {
        for (; part != nullptr && *part != '\0' && used + 1 < sizeof box.text; ++part)
            box.text[used++] = *part;
    };
    append(FaultText);
    append(failure);
    if (detail != nullptr) {
        append("\n(");
        append(detail);
        append(")");
    }
    box.text[used] = '\0';
    const std::size_t titleLength = ApplicationTitle.copy(box.title, sizeof box.title - 1);
    box.title[titleLength] = '\0';
    // A box's modal loop on this thread would dispatch the program's
    // timers, posted closes and the messages other processes send, and run
    // the program's code on state it has just found broken.  The box gets a
    // thread of its own; this one answers only what is sent to its windows,
    // through DefWindowProcA, so that no other program hangs on it while
    // the box is up.  Without a thread for the box, the process ends
    // without one rather than run anything of its own.
    HandThreadWindowsToDefault();
    const UniqueHandle boxThread(CreateThread(nullptr, 0, ShowFailureBox, &box, 0, nullptr));
    if (boxThread)
        AnswerSentMessagesUntilEnd(boxThread.Get());
    TerminateProcess(GetCurrentProcess(), FailFastExitCode);
    // TerminateProcess does not return for the calling process, but is not
    // declared so.
    ExitProcess(FailFastExitCode);
}

namespace std {

void __throw_bad_exception()
{
    FailFast(LogicFailure, "bad_exception");
}
void __throw_bad_alloc()
{
    FailFast(AllocationFailureText);
}
void __throw_bad_array_new_length()
{
    FailFast(AllocationFailureText, "bad_array_new_length");
}
void __throw_bad_cast()
{
    FailFast(LogicFailure, "bad_cast");
}
void __throw_bad_typeid()
{
    FailFast(LogicFailure, "bad_typeid");
}
void __throw_logic_error(const char* text)
{
    FailFast(LogicFailure, text);
}
void __throw_domain_error(const char* text)
{
    FailFast(LogicFailure, text);
}
void __throw_invalid_argument(const char* text)
{
    FailFast(LogicFailure, text);
}
void __throw_length_error(const char* text)
{
    FailFast(LengthFailure, text);
}
void __throw_out_of_range(const char* text)
{
    FailFast(RangeFailure, text);
}
// The numbers the format asks for are left out; the text names the check.
void __throw_out_of_range_fmt(const char* format, ...)
{
    FailFast(RangeFailure, format);
}
void __throw_runtime_error(const char* text)
{
    FailFast(LogicFailure, text);
}
void __throw_range_error(const char* text)
{
    FailFast(RangeFailure, text);
}
void __throw_overflow_error(const char* text)
{
    FailFast(RangeFailure, text);
}
void __throw_underflow_error(const char* text)
{
    FailFast(RangeFailure, text);
}
void __throw_ios_failure(const char* text)
{
    FailFast(LogicFailure, text);
}
void __throw_ios_failure(const char* text, int)
{
    FailFast(LogicFailure, text);
}
void __throw_system_error(int)
{
    FailFast(LogicFailure, "system_error");
}
void __throw_future_error(int)
{
    FailFast(LogicFailure, "future_error");
}
void __throw_bad_function_call()
{
    FailFast(LogicFailure, "bad_function_call");
}

} // namespace std
