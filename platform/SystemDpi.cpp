#include "platform/SystemDpi.h"

#include "platform/Module.h"

#include <windows.h>

int SmallIconSizeForSystemDpi()
{
    using SetContextCall = DPI_AWARENESS_CONTEXT(WINAPI*)(DPI_AWARENESS_CONTEXT);
    using SystemDpiCall = UINT(WINAPI*)();
    using MetricForDpiCall = int(WINAPI*)(int, UINT);
    // Looked up rather than imported: Windows 10 1607 brought all three, and
    // a static import would stop the program from starting on older systems.
    HMODULE user32 = GetModuleHandleA("user32.dll");
    const auto setContext = ModuleFunction<SetContextCall>(user32, "SetThreadDpiAwarenessContext");
    const auto systemDpi = ModuleFunction<SystemDpiCall>(user32, "GetDpiForSystem");
    const auto metricForDpi = ModuleFunction<MetricForDpiCall>(user32, "GetSystemMetricsForDpi");
    if (setContext == nullptr || systemDpi == nullptr || metricForDpi == nullptr)
        return 0;
    // GetDpiForSystem answers 96 to a thread that is not DPI-aware, so the
    // thread is system-aware for the two calls alone: nothing else of the
    // program may see the real metrics.
    const DPI_AWARENESS_CONTEXT previous = setContext(DPI_AWARENESS_CONTEXT_SYSTEM_AWARE);
    const int size = metricForDpi(SM_CXSMICON, systemDpi());
    if (previous != nullptr)
        setContext(previous);
    return size;
}
