#include "gui/Taskbar.h"

#include <array>

namespace {

struct Candidate {
    std::uintptr_t window;
    ScreenRect rect;
};

// A bar lies symmetrically across the screen: it reaches a little past both
// side edges (or top and bottom edges) by the same amount.
bool SpansWidth(const ScreenRect& r, std::int32_t screenWidth)
{
    return screenWidth == r.left + r.right;
}
bool SpansHeight(const ScreenRect& r, std::int32_t screenHeight)
{
    return screenHeight == r.top + r.bottom;
}

// l = 0 or t = 0 means exactly as wide or as tall as the screen: a
// maximized window or the desktop, not a bar.
bool HasBarShape(const ScreenRect& r, std::int32_t screenWidth, std::int32_t screenHeight)
{
    if (SpansWidth(r, screenWidth))
        return r.left != 0 && r.bottom - r.top <= screenHeight / 2 + 2;
    if (SpansHeight(r, screenHeight))
        return r.top != 0 && r.right - r.left <= screenWidth / 2 + 2;
    return false;
}

// The taskbar has no caption; an unreadable one is no evidence of a bar.
bool HasEmptyCaption(const WindowQuery& query, std::uintptr_t window)
{
    const std::optional<std::string> caption = query.WindowCaption(window);
    return caption && caption->empty();
}

// Only the first accepted candidate is ever measured or cached, so the
// probing stops there.
std::optional<Candidate> FirstAcceptedCandidate(const WindowQuery& query, std::int32_t w, std::int32_t h)
{
    const std::array<ScreenPoint, 4> probes { { { 1, 1 }, { 1, h - 1 }, { w - 1, 1 }, { w - 1, h - 1 } } };
    for (const ScreenPoint& p : probes) {
        const std::uintptr_t window = query.WindowAt(p.x, p.y);
        if (window == 0)
            continue;
        const std::optional<ScreenRect> rect = query.WindowRect(window);
        if (rect && HasBarShape(*rect, w, h) && HasEmptyCaption(query, window))
            return Candidate { window, *rect };
    }
    return std::nullopt;
}

} // namespace

void TaskbarFinder::TakeBarRect(const ScreenRect& bar, std::int32_t screenWidth, std::int32_t screenHeight)
{
    if (SpansWidth(bar, screenWidth)) {
        work_.left = 0;
        work_.width = screenWidth;
        if (bar.top < 0) {
            work_.top = bar.bottom;
            work_.height = screenHeight - bar.bottom;
        } else {
            work_.top = 0;
            work_.height = bar.top;
        }
    } else {
        work_.top = 0;
        work_.height = screenHeight;
        if (bar.left < 0) {
            work_.left = bar.right;
            work_.width = screenWidth - bar.right;
        } else {
            work_.left = 0;
            work_.width = bar.left;
        }
    }
}

// This program's own mend of the corner probe: current taskbars start at
// x = 0 (Wine's is (0, 748, 1024, 768) on a 1024 x 768 screen), so the probe
// rejects them as "exactly as wide as the screen".  Falling back to the whole
// screen would put boxes under the bar; the system's own work area is the
// whole screen wherever there really is no bar.
void TaskbarFinder::TakeSystemWorkArea(const WindowQuery& query)
{
    const ScreenRect r = query.SystemWorkArea();
    work_ = WorkArea { r.left, r.top, r.right - r.left, r.bottom - r.top };
}

bool TaskbarFinder::FindWorkArea(const WindowQuery& query)
{
    const std::int32_t w = query.ScreenWidth();
    const std::int32_t h = query.ScreenHeight();
    work_ = WorkArea { 0, 0, w, h };

    std::optional<ScreenRect> bar;
    std::uintptr_t firstAccepted = 0;
    if (taskbarHandle_ != 0) {
        // A cached bar that has gone (its rectangle cannot be read) is
        // forgotten, and the corners are probed afresh in this same call.
        bar = query.WindowRect(taskbarHandle_);
        if (!bar)
            taskbarHandle_ = 0;
    }
    if (!bar) {
        const std::optional<Candidate> found = FirstAcceptedCandidate(query, w, h);
        if (!found) {
            TakeSystemWorkArea(query);
            return false;
        }
        bar = found->rect;
        firstAccepted = found->window;
    }

    TakeBarRect(*bar, w, h);
    if (work_.width != 0 && work_.height != 0) {
        if (taskbarHandle_ == 0)
            taskbarHandle_ = firstAccepted;
        return true;
    }
    taskbarHandle_ = 0;
    TakeSystemWorkArea(query);
    return false;
}

ScreenPoint TaskbarFinder::PlaceDialog(
    const WindowQuery& query, std::int32_t boxWidth, std::int32_t boxHeight, std::uintptr_t sourceHandle)
{
    FindWorkArea(query);

    const std::uintptr_t source = sourceHandle != 0 ? sourceHandle : query.MainWindow();
    WorkArea reference = work_;
    if (source != 0) {
        if (const std::optional<ScreenRect> r = query.WindowRect(source))
            reference = WorkArea { r->left, r->top, r->right - r->left, r->bottom - r->top };
    }

    ScreenPoint p { reference.left + (reference.width - boxWidth) / 2,
        reference.top + (reference.height - boxHeight) / 2 };
    // Right and bottom first, so that a box larger than the work area ends
    // up against its left and top edges.
    if (p.x > work_.left + work_.width - boxWidth)
        p.x = work_.left + work_.width - boxWidth;
    if (p.y > work_.top + work_.height - boxHeight)
        p.y = work_.top + work_.height - boxHeight;
    if (p.x < work_.left)
        p.x = work_.left;
    if (p.y < work_.top)
        p.y = work_.top;
    return p;
}
