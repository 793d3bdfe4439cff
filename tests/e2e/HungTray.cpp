// A resident copy that hangs: a window of the tray window's class whose
// thread never takes a message again.  The test that starts it ends it.

#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    WNDCLASSA windowClass {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "TSDRIM32PALUN";
    if (RegisterClassA(&windowClass) == 0)
        return 1;
    if (CreateWindowExA(
            0, windowClass.lpszClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr)
        == nullptr)
        return 1;
    Sleep(INFINITE);
    return 0;
}
