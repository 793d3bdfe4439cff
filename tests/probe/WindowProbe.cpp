#include "WindowProbe.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>

namespace {

constexpr DWORD ProbePollMilliseconds = 20;
// How long a reading waits for a window that does not answer.
constexpr DWORD AnswerTimeout = 5000;

struct WindowSearch {
    std::string className;
    DWORD processId;
    std::vector<HWND> found;
};

struct ChildSearch {
    HWND parent;
    std::vector<WindowControl> controls;
};

std::string ArtifactsFolder()
{
    const char* configured = std::getenv("DRIM_ARTIFACTS");
    if (configured == nullptr || *configured == '\0')
        return {};
    std::string folder = configured;
    if (folder.front() == '/') {
        std::replace(folder.begin(), folder.end(), '/', '\\');
        folder = "Z:" + folder;
    }
    CreateDirectoryA(folder.c_str(), nullptr);
    if (folder.back() != '\\')
        folder += '\\';
    return folder;
}

bool WriteBitmapFile(const std::string& path, int width, int height, const void* bits, DWORD size)
{
    BITMAPFILEHEADER file {};
    BITMAPINFOHEADER info {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = size;
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + size;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    out.write(static_cast<const char*>(bits), size);
    return out.good();
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
    if (IsStaticClass(ClassOf(window))) {
        if (!texts.empty())
            texts += '\n';
        texts += WindowText(window);
    }
    return TRUE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM context)
{
    auto& search = *reinterpret_cast<ChildSearch*>(context);
    WindowControl control;
    control.handle = window;
    control.className = ClassOf(window);
    control.text = WindowText(window);
    control.rect = RectInParent(window, search.parent);
    control.style = GetWindowLongA(window, GWL_STYLE);
    control.id = GetDlgCtrlID(window);
    control.visible = IsWindowVisible(window) != FALSE;
    if (lstrcmpiA(control.className.c_str(), "Edit") == 0)
        control.lines = static_cast<int>(SendMessageA(window, EM_GETLINECOUNT, 0, 0));
    search.controls.push_back(control);
    return TRUE;
}

} // namespace

bool IsStaticClass(const std::string& name)
{
    // The system registers "Static"; some versions report "STATIC".
    return lstrcmpiA(name.c_str(), "Static") == 0;
}

bool WaitUntil(const std::function<bool()>& done, DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (done())
            return true;
        if (GetTickCount() - start > milliseconds)
            return done();
        Sleep(ProbePollMilliseconds);
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

bool WaitUntilGone(HWND box, DWORD milliseconds)
{
    return WaitUntil([box] { return !IsWindow(box); }, milliseconds);
}

std::string WindowText(HWND window)
{
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, AnswerTimeout, &length))
        return {};
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
            SMTO_ABORTIFHUNG, AnswerTimeout, &copied))
        return {};
    text.resize(std::min<std::size_t>(copied, length));
    return text;
}

std::string ClassOf(HWND window)
{
    char name[257] = {};
    const int length = GetClassNameA(window, name, sizeof name);
    return std::string(name, length > 0 ? static_cast<std::size_t>(length) : 0);
}

RECT RectInParent(HWND child, HWND parent)
{
    RECT rect {};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void Click(HWND button)
{
    SendMessageA(button, BM_CLICK, 0, 0);
}

HWND FocusOf(DWORD thread)
{
    GUITHREADINFO info {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(thread, &info))
        return nullptr;
    return info.hwndFocus;
}

void PressKey(DWORD thread, WORD key)
{
    HWND target = FocusOf(thread);
    const UINT scan = MapVirtualKeyA(key, MAPVK_VK_TO_VSC);
    PostMessageA(target, WM_KEYDOWN, key, 1 | static_cast<LPARAM>(scan) << 16);
    PostMessageA(target, WM_KEYUP, key, 1 | static_cast<LPARAM>(scan) << 16 | 0xC0000000);
}

void SendCloseCommand(HWND box)
{
    PostMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0);
}

std::string SaveScreenshot(HWND box, const std::string& name)
{
    RECT rect {};
    GetWindowRect(box, &rect);
    return SaveScreenshot(rect, name);
}

std::string SaveScreenshot(const RECT& rect, const std::string& name)
{
    const std::string folder = ArtifactsFolder();
    if (folder.empty())
        return {};
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;

    BITMAPINFO info {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height; // bottom-up, as a .bmp file stores it
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP canvas = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool written = false;
    if (canvas != nullptr) {
        HGDIOBJ old = SelectObject(memory, canvas);
        BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
        GdiFlush();
        const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
        written = WriteBitmapFile(folder + name + ".bmp", width, height, bits, stride * height);
        SelectObject(memory, old);
        DeleteObject(canvas);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return written ? folder + name + ".bmp" : std::string();
}

std::vector<WindowControl> ReadControls(HWND parent)
{
    ChildSearch search { parent, {} };
    EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&search));
    return search.controls;
}
