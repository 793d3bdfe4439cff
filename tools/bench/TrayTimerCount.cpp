// Hosts the real tray window in this process and counts the timer messages
// it handles: "TrayTimerCount SECONDS /on|/off [WATCH]" prints
// "timer_messages N".  WATCH, when given, is stored as the watch list first.

#include "gui/Application.h"
#include "program/Program.h"
#include "program/ProgramValues.h"
#include "program/RegistryNames.h"
#include "tray/DrIMFM.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

HWND trayWindow = nullptr;
int timerMessages = 0;

LRESULT CALLBACK CountTimers(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* message = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && message->message == WM_TIMER
        && message->hwnd == trayWindow)
        ++timerMessages;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool StoreWatchList(const char* names)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, std::string(SettingsKey).c_str(), 0, nullptr, 0, KEY_SET_VALUE,
            nullptr, &key, nullptr)
        != ERROR_SUCCESS)
        return false;
    const LONG stored = RegSetValueExA(key, std::string(ValueWatch).c_str(), 0, REG_SZ,
        reinterpret_cast<const BYTE*>(names), static_cast<DWORD>(std::strlen(names) + 1));
    RegCloseKey(key);
    return stored == ERROR_SUCCESS;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return 2;
    const UINT seconds = static_cast<UINT>(std::atoi(argv[1]));
    if (argc > 3 && !StoreWatchList(argv[3]))
        return 1;
    Application::Get().SetTitle(std::string(ApplicationTitle));
    Application::Get().Initialize(GetModuleHandleA(nullptr));
    Program().argument1 = argv[2];

    TSDRIM32PALUN tray;
    trayWindow = tray.Handle();
    HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, CountTimers, nullptr, GetCurrentThreadId());
    // Start-up's own timers (Timer1, the first refresh) are not counted:
    // the figure is the steady cost.
    const DWORD settle = 2000;
    const DWORD end = GetTickCount() + settle + seconds * 1000;
    bool counting = false;
    while (static_cast<LONG>(end - GetTickCount()) > 0) {
        if (!counting && static_cast<LONG>(GetTickCount() - (end - seconds * 1000)) >= 0) {
            timerMessages = 0;
            counting = true;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        Application::Get().ProcessMessages();
    }
    UnhookWindowsHookEx(hook);
    std::printf("timer_messages %d\n", timerMessages);
    return 0;
}
