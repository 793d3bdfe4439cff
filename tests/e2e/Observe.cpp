#include "Observe.h"

#include <stdexcept>

namespace {

struct WindowSearch {
    std::string className;
    DWORD processId;
    std::vector<HWND> found;
};

std::string ClassOf(HWND window)
{
    // Class names are at most 256 characters.
    char name[257] = {};
    const int length = GetClassNameA(window, name, sizeof name);
    return std::string(name, length > 0 ? static_cast<std::size_t>(length) : 0);
}

std::string TextOf(HWND window)
{
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM context)
{
    auto& search = *reinterpret_cast<WindowSearch*>(context);
    if (search.processId != 0) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != search.processId)
            return TRUE;
    }
    if (ClassOf(window) == search.className)
        search.found.push_back(window);
    return TRUE;
}

BOOL CALLBACK CollectStaticText(HWND window, LPARAM context)
{
    auto& texts = *reinterpret_cast<std::string*>(context);
    // The class name is compared without case: the system registers it as
    // "Static", and some versions report it as "STATIC".
    if (lstrcmpiA(ClassOf(window).c_str(), "Static") == 0) {
        if (!texts.empty())
            texts += '\n';
        texts += TextOf(window);
    }
    return TRUE;
}

} // namespace

bool WaitUntil(const std::function<bool()>& done, DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (done())
            return true;
        if (GetTickCount() - start > milliseconds)
            return done();
        Sleep(PollMilliseconds);
    }
}

std::vector<HWND> TopLevelWindows(const std::string& className, DWORD processId)
{
    WindowSearch search { className, processId, {} };
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

int CountTopLevelWindows(const std::string& className, DWORD processId)
{
    return static_cast<int>(TopLevelWindows(className, processId).size());
}

HWND FindTopLevelWindow(const std::string& className, DWORD processId)
{
    const std::vector<HWND> found = TopLevelWindows(className, processId);
    return found.empty() ? nullptr : found.front();
}

HWND WaitForWindow(const std::string& className, DWORD milliseconds, DWORD processId)
{
    HWND window = nullptr;
    WaitUntil(
        [&] {
            window = FindTopLevelWindow(className, processId);
            return window != nullptr;
        },
        milliseconds);
    return window;
}

bool WaitUntilGone(const std::string& className, DWORD milliseconds, DWORD processId)
{
    return WaitUntil([&] { return CountTopLevelWindows(className, processId) == 0; }, milliseconds);
}

std::string StaticTexts(HWND window)
{
    std::string texts;
    EnumChildWindows(window, CollectStaticText, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

void TouchInput()
{
    INPUT nudge {};
    nudge.type = INPUT_MOUSE;
    nudge.mi.dwFlags = MOUSEEVENTF_MOVE;
    SendInput(1, &nudge, sizeof nudge);
}

DWORD IdleMilliseconds()
{
    LASTINPUTINFO last {};
    last.cbSize = sizeof last;
    // No zero here: an idle time stuck at 0 would pass the keep-awake checks.
    if (!GetLastInputInfo(&last))
        throw std::runtime_error("GetLastInputInfo failed");
    // Both are tick counts that wrap together; unsigned subtraction gives
    // the right distance across the wrap.
    return GetTickCount() - last.dwTime;
}
