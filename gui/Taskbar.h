#pragma once

// The work area beside the taskbar and the placement of every dialog box in
// it.  The taskbar is found by probing the screen's corners; the windows
// themselves are reached through WindowQuery so that the rule can be tested
// without a window system.

#include <cstdint>
#include <optional>
#include <string>

struct ScreenRect {
    std::int32_t left, top, right, bottom;
    bool operator==(const ScreenRect&) const = default;
};

struct ScreenPoint {
    std::int32_t x, y;
    bool operator==(const ScreenPoint&) const = default;
};

struct WorkArea {
    std::int32_t left, top, width, height;
    bool operator==(const WorkArea&) const = default;
};

// Window handles are carried as integers; 0 is no window.
class WindowQuery {
public:
    virtual ~WindowQuery() = default;
    virtual std::int32_t ScreenWidth() const = 0;
    virtual std::int32_t ScreenHeight() const = 0;
    virtual std::uintptr_t WindowAt(std::int32_t x, std::int32_t y) const = 0;
    // Outer rectangle in screen coordinates; nullopt when it cannot be read.
    virtual std::optional<ScreenRect> WindowRect(std::uintptr_t window) const = 0;
    // At most 100 characters; nullopt when reading failed.
    virtual std::optional<std::string> WindowCaption(std::uintptr_t window) const = 0;
    // The work area the system itself reports (the whole screen when it
    // knows of no taskbar).
    virtual ScreenRect SystemWorkArea() const = 0;
    virtual std::uintptr_t MainWindow() const = 0;
};

// Holds the results of the last search; the program keeps one instance for
// the whole process, shared by all dialog components.  The work values are
// meaningful only after a call to FindWorkArea, which every reader makes
// first.
class TaskbarFinder {
public:
    // True when a taskbar was found and the work area is smaller than the
    // screen.
    bool FindWorkArea(const WindowQuery& query);

    // The top-left corner for a box of the given outer size, centred on the
    // source window (0: the main window) and held inside the work area.
    ScreenPoint PlaceDialog(
        const WindowQuery& query, std::int32_t boxWidth, std::int32_t boxHeight, std::uintptr_t sourceHandle);

    std::int32_t WorkLeft() const { return work_.left; }
    std::int32_t WorkTop() const { return work_.top; }
    std::int32_t WorkWidth() const { return work_.width; }
    std::int32_t WorkHeight() const { return work_.height; }
    const WorkArea& Work() const { return work_; }
    std::uintptr_t TaskbarHandle() const { return taskbarHandle_; }

private:
    void TakeBarRect(const ScreenRect& bar, std::int32_t screenWidth, std::int32_t screenHeight);
    void TakeSystemWorkArea(const WindowQuery& query);

    WorkArea work_ {};
    std::uintptr_t taskbarHandle_ = 0;
};
