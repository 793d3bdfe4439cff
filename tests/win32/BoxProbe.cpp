#include "BoxProbe.h"

#include "gui/Application.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>

namespace {

constexpr DWORD PollMilliseconds = 20;

constexpr char BoxFontFace[] = "System";
constexpr int BoxFontHeight = 13;

bool IsStaticClass(const std::string& name)
{
    // The system registers "Static"; some versions report "STATIC".
    return lstrcmpiA(name.c_str(), "Static") == 0;
}

struct Search {
    std::string className;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM context)
{
    auto& search = *reinterpret_cast<Search*>(context);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() && ClassOf(window) == search.className)
        search.found.push_back(window);
    return TRUE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM context)
{
    auto& view = *reinterpret_cast<BoxView*>(context);
    BoxControl control;
    control.handle = window;
    control.className = ClassOf(window);
    control.text = WindowText(window);
    control.rect = RectInParent(window, view.handle);
    control.style = GetWindowLongA(window, GWL_STYLE);
    control.id = GetDlgCtrlID(window);
    control.visible = IsWindowVisible(window) != FALSE;
    if (lstrcmpiA(control.className.c_str(), "Edit") == 0)
        control.lines = static_cast<int>(SendMessageA(window, EM_GETLINECOUNT, 0, 0));
    view.controls.push_back(control);
    return TRUE;
}

class ScreenFont {
public:
    explicit ScreenFont(bool bold)
        : font_(CreateFontA(-BoxFontHeight, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
            SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
            DEFAULT_PITCH | FF_DONTCARE, BoxFontFace))
    {
    }
    ~ScreenFont() { DeleteObject(font_); }
    ScreenFont(const ScreenFont&) = delete;
    ScreenFont& operator=(const ScreenFont&) = delete;

    SIZE Measure(const std::string& text) const
    {
        SIZE size {};
        HDC dc = GetDC(nullptr);
        HGDIOBJ old = SelectObject(dc, font_);
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
        SelectObject(dc, old);
        ReleaseDC(nullptr, dc);
        return size;
    }

private:
    HFONT font_;
};

// The folder in DRIM_ARTIFACTS, a Unix path, as Wine's Z: drive names it.
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

} // namespace

bool IsBoxClass(const std::string& name)
{
    return std::any_of(
        std::begin(AllBoxClasses), std::end(AllBoxClasses), [&name](const char* box) { return name == box; });
}

bool IsCountLabel(HWND window)
{
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    return IsStaticClass(ClassOf(window)) && (style & SS_TYPEMASK) == SS_RIGHT;
}

RECT RectInParent(HWND child, HWND parent)
{
    RECT rect {};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void InitializeTestApplication()
{
    static bool initialized = false;
    if (initialized)
        return;
    initialized = true;
    Application::Get().SetTitle(TestApplicationTitle);
    Application::Get().Initialize(GetModuleHandleA(nullptr));
}

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

std::vector<HWND> BoxWindows(const char* className)
{
    Search search { className, {} };
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForBox(const char* className, DWORD milliseconds)
{
    return WaitForNewBox(className, {}, milliseconds);
}

HWND WaitForNewBox(const char* className, const std::vector<HWND>& known, DWORD milliseconds)
{
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND box : BoxWindows(className)) {
                if (IsWindowVisible(box) && std::find(known.begin(), known.end(), box) == known.end()) {
                    found = box;
                    return true;
                }
            }
            return false;
        },
        milliseconds);
    return found;
}

bool WaitUntilGone(HWND box, DWORD milliseconds)
{
    return WaitUntil([box] { return !IsWindow(box); }, milliseconds);
}

std::string WindowText(HWND window)
{
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, BoxAppearTimeout, &length))
        return {};
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
            SMTO_ABORTIFHUNG, BoxAppearTimeout, &copied))
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

std::optional<BoxControl> BoxView::Button(const std::string& wanted) const
{
    for (const BoxControl& c : controls)
        if (lstrcmpiA(c.className.c_str(), "Button") == 0 && c.text == wanted)
            return c;
    return std::nullopt;
}

std::optional<BoxControl> BoxView::Memo() const
{
    for (const BoxControl& c : controls)
        if (lstrcmpiA(c.className.c_str(), "Edit") == 0)
            return c;
    return std::nullopt;
}

std::optional<BoxControl> BoxView::Symbol() const
{
    for (const BoxControl& c : controls)
        if (IsStaticClass(c.className) && (c.style & SS_TYPEMASK) == SS_BITMAP)
            return c;
    return std::nullopt;
}

std::optional<BoxControl> BoxView::CountLabel() const
{
    for (const BoxControl& c : controls)
        if (IsStaticClass(c.className) && (c.style & SS_TYPEMASK) == SS_RIGHT)
            return c;
    return std::nullopt;
}

int BoxView::VisibleButtons() const
{
    return static_cast<int>(std::count_if(controls.begin(), controls.end(),
        [](const BoxControl& c) { return lstrcmpiA(c.className.c_str(), "Button") == 0 && c.visible; }));
}

BoxView ReadBox(HWND box)
{
    BoxView view;
    view.handle = box;
    GetWindowRect(box, &view.outer);
    GetClientRect(box, &view.client);
    view.caption = WindowText(box);
    view.visible = IsWindowVisible(box) != FALSE;
    EnumChildWindows(box, CollectChild, reinterpret_cast<LPARAM>(&view));
    return view;
}

BoxSize MeasuredMessage(const std::string& text)
{
    int widest = 0;
    int lines = 0;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find('\n', start);
        widest = std::max(widest, TextWidth(text.substr(start, end - start)));
        ++lines;
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return BoxSize { widest, lines * BoxMetrics::LineHeight };
}

BoxSize FrameOf(const BoxView& view)
{
    return BoxSize { view.Width() - view.ClientWidth(), view.Height() - view.ClientHeight() };
}

Bounds RectOf(const BoxControl& control)
{
    return Bounds { control.Left(), control.Top(), control.Width(), control.Height() };
}

void PrintTo(const Bounds& rect, std::ostream* out)
{
    *out << "{left " << rect.left << ", top " << rect.top << ", " << rect.width << " x " << rect.height
         << "}";
}

std::string CountLabelText(HWND box)
{
    const std::optional<BoxControl> label = ReadBox(box).CountLabel();
    return label ? label->text : std::string();
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

int TextWidth(const std::string& text, bool bold)
{
    return ScreenFont(bold).Measure(text).cx;
}

SIZE TextSize(const std::string& text)
{
    return ScreenFont(false).Measure(text);
}

std::string SaveScreenshot(HWND box, const std::string& name)
{
    const std::string folder = ArtifactsFolder();
    if (folder.empty())
        return {};
    RECT rect {};
    GetWindowRect(box, &rect);
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
