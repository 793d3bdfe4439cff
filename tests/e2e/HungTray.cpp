// A resident copy that hangs: a window of the tray window's class.  Without
// arguments its thread never takes a message again.  With "late EVENT" it
// answers until the forward comes, then holds the forward until the named
// event is set; only then does it read the forward's text, which it shows
// as its caption ("read:" and the text) once the forward has returned.
// The test that starts it ends it.

#include <windows.h>

#include <string>

namespace {

// The forward's message, as the tray window receives it.
constexpr UINT ForwardMessage = WM_USER + 1;
constexpr UINT ShowTextMessage = WM_APP;

HANDLE releaseEvent = nullptr;
std::string forwardedText;

LRESULT CALLBACK LateTrayProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == ForwardMessage) {
        WaitForSingleObject(releaseEvent, INFINITE);
        char name[256] = {};
        GlobalGetAtomNameA(LOWORD(wParam), name, sizeof name);
        forwardedText = name;
        PostMessageA(window, ShowTextMessage, 0, 0);
        return 0;
    }
    if (message == ShowTextMessage) {
        SetWindowTextA(window, ("read:" + forwardedText).c_str());
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    const std::string arguments(commandLine);
    const bool late = arguments.rfind("late ", 0) == 0;
    if (late && (releaseEvent = OpenEventA(SYNCHRONIZE, FALSE, arguments.substr(5).c_str())) == nullptr)
        return 1;
    WNDCLASSA windowClass {};
    windowClass.lpfnWndProc = late ? LateTrayProcedure : DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "TSDRIM32PALUN";
    if (RegisterClassA(&windowClass) == 0)
        return 1;
    if (CreateWindowExA(
            0, windowClass.lpszClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr)
        == nullptr)
        return 1;
    if (!late)
        Sleep(INFINITE);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    return 0;
}
