// A program for the watch to find: one visible window with a title, shown
// until it is closed.  The test that starts it ends it.

#include <windows.h>

namespace {

constexpr char ClassName[] = "DrimWatchedStandIn";
// An ampersand, which the watch submenu has to show as it is.
constexpr char Title[] = "Watched stand-in & its window";
constexpr int Width = 320;
constexpr int Height = 120;

LRESULT CALLBACK StandInProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    WNDCLASSA windowClass {};
    windowClass.lpfnWndProc = StandInProcedure;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = ClassName;
    if (RegisterClassA(&windowClass) == 0)
        return 1;
    HWND window = CreateWindowA(ClassName, Title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, CW_USEDEFAULT,
        CW_USEDEFAULT, Width, Height, nullptr, nullptr, instance, nullptr);
    if (window == nullptr)
        return 1;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    return 0;
}
