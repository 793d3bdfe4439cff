#include "BoxProbe.h"

#include "gui/Application.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>

namespace {

constexpr char BoxFontFace[] = "System";
constexpr int BoxFontHeight = 13;

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

void InitializeTestApplication()
{
    static bool initialized = false;
    if (initialized)
        return;
    initialized = true;
    Application::Get().SetTitle(TestApplicationTitle);
    Application::Get().Initialize(GetModuleHandleA(nullptr));
}

std::vector<HWND> BoxWindows(const char* className)
{
    return TopLevelWindows(className, GetCurrentProcessId());
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

std::optional<WindowControl> BoxView::Button(const std::string& wanted) const
{
    for (const WindowControl& c : controls)
        if (lstrcmpiA(c.className.c_str(), "Button") == 0 && c.text == wanted)
            return c;
    return std::nullopt;
}

std::optional<WindowControl> BoxView::Memo() const
{
    for (const WindowControl& c : controls)
        if (lstrcmpiA(c.className.c_str(), "Edit") == 0)
            return c;
    return std::nullopt;
}

std::optional<WindowControl> BoxView::Symbol() const
{
    for (const WindowControl& c : controls)
        if (IsStaticClass(c.className) && (c.style & SS_TYPEMASK) == SS_BITMAP)
            return c;
    return std::nullopt;
}

std::optional<WindowControl> BoxView::CountLabel() const
{
    for (const WindowControl& c : controls)
        if (IsStaticClass(c.className) && (c.style & SS_TYPEMASK) == SS_RIGHT)
            return c;
    return std::nullopt;
}

int BoxView::VisibleButtons() const
{
    return static_cast<int>(std::count_if(controls.begin(), controls.end(),
        [](const WindowControl& c) { return lstrcmpiA(c.className.c_str(), "Button") == 0 && c.visible; }));
}

BoxView ReadBox(HWND box)
{
    BoxView view;
    view.handle = box;
    GetWindowRect(box, &view.outer);
    GetClientRect(box, &view.client);
    view.caption = WindowText(box);
    view.visible = IsWindowVisible(box) != FALSE;
    view.controls = ReadControls(box);
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

Bounds RectOf(const WindowControl& control)
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
    const std::optional<WindowControl> label = ReadBox(box).CountLabel();
    return label ? label->text : std::string();
}

int TextWidth(const std::string& text, bool bold)
{
    return ScreenFont(bold).Measure(text).cx;
}

SIZE TextSize(const std::string& text)
{
    return ScreenFont(false).Measure(text);
}
