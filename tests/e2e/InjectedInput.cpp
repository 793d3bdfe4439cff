#include "InjectedInput.h"

namespace {

constexpr DWORD HookStartsMilliseconds = 10000;
constexpr DWORD HookEndsMilliseconds = 10000;

// The hook procedure has no context of its own: one watch at a time.
volatile LONG injectedMoves = 0;

LRESULT CALLBACK CountInjectedMoves(int code, WPARAM message, LPARAM lParam)
{
    const auto* event = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
    if (code == HC_ACTION && message == WM_MOUSEMOVE && (event->flags & LLMHF_INJECTED) != 0)
        InterlockedIncrement(&injectedMoves);
    return CallNextHookEx(nullptr, code, message, lParam);
}

} // namespace

InjectedMoveWatch::InjectedMoveWatch()
    : ready_(CreateEventA(nullptr, TRUE, FALSE, nullptr))
{
    InterlockedExchange(&injectedMoves, 0);
    thread_ = CreateThread(nullptr, 0, HookThread, this, 0, &threadId_);
    if (thread_ != nullptr && ready_ != nullptr)
        WaitForSingleObject(ready_, HookStartsMilliseconds);
}

InjectedMoveWatch::~InjectedMoveWatch()
{
    if (thread_ != nullptr) {
        PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
        WaitForSingleObject(thread_, HookEndsMilliseconds);
        CloseHandle(thread_);
    }
    if (ready_ != nullptr)
        CloseHandle(ready_);
}

long InjectedMoveWatch::Count() const
{
    return InterlockedCompareExchange(&injectedMoves, 0, 0);
}

// A low-level hook runs on the thread that set it, in that thread's message
// loop: the test's own thread sleeps between its samples.
DWORD WINAPI InjectedMoveWatch::HookThread(void* context)
{
    auto* watch = static_cast<InjectedMoveWatch*>(context);
    MSG message;
    // The thread's queue exists before anyone posts it the end.
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
    HHOOK hook = SetWindowsHookExA(WH_MOUSE_LL, CountInjectedMoves, GetModuleHandleA(nullptr), 0);
    watch->hooked_ = hook != nullptr;
    SetEvent(watch->ready_);
    while (hook != nullptr && GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    if (hook != nullptr)
        UnhookWindowsHookEx(hook);
    return 0;
}
