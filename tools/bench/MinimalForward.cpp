// The floor of a forwarded second start: a GUI program that finds the
// resident tray window, sends it one message and ends.

#include <windows.h>

namespace {

constexpr char TrayWindowClass[] = "TSDRIM32PALUN";

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    HWND window = FindWindowA(TrayWindowClass, nullptr);
    if (window != nullptr)
        SendMessageA(window, WM_NULL, 0, 0);
    return 0;
}
