// A program built like DRIM32.EXE, with its failure path, that commits the
// fault its argument names: the failure box must show and the process end
// with the failure's exit code.  With "timer" the fault comes from a tick of
// a 100 ms timer whose window marks each tick, and each sent message, in
// its caption; a message-only window of the thread marks sent messages too.

#include "FailFastChild.h"
#include "app/FailFast.h"

#include <windows.h>

#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// Out of reach of any heap of a 32-bit process, so the allocation fails.
constexpr std::size_t HugeAllocation = 0x7FFF0000;

// volatile: the compiler must not see through the faults below.
volatile std::size_t index = 1;
volatile std::size_t size = HugeAllocation;

int ticks = 0;

LRESULT CALLBACK TickingWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TIMER) {
        ++ticks;
        SetWindowTextA(window, ("tick " + std::to_string(ticks)).c_str());
        if (ticks == FaultTick) {
            const std::string empty;
            return empty.at(index);
        }
        return 0;
    }
    if (message == SentMarkMessage) {
        SetWindowTextA(window, "sent");
        return SentMarkAnswer;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int RunTickingWindow(HINSTANCE instance)
{
    WNDCLASSA windowClass {};
    windowClass.lpfnWndProc = TickingWindowProcedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = TickingWindowClass;
    if (RegisterClassA(&windowClass) == 0)
        return 1;
    const HWND window = CreateWindowExA(
        0, TickingWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
    if (window == nullptr || SetTimer(window, 1, TickMilliseconds, nullptr) == 0
        || CreateWindowExA(0, TickingWindowClass, MessageOnlyCaption, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
               instance, nullptr)
            == nullptr)
        return 1;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    return 0;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    InstallFailFastHandlers();
    const std::string_view fault(commandLine);
    if (fault == "range") {
        const std::string empty;
        return empty.at(index);
    }
    if (fault == "allocation") {
        const std::string huge(size, 'x');
        return huge[index];
    }
    if (fault == "abort")
        std::abort();
    if (fault == "timer")
        return RunTickingWindow(instance);
    return 0;
}
