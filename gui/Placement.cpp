#include "gui/Placement.h"

#include "gui/Application.h"

namespace {

HWND AsWindow(std::uintptr_t handle)
{
    return reinterpret_cast<HWND>(handle);
}

class SystemWindowQuery : public WindowQuery {
public:
    std::int32_t ScreenWidth() const override { return GetSystemMetrics(SM_CXSCREEN); }
    std::int32_t ScreenHeight() const override { return GetSystemMetrics(SM_CYSCREEN); }

    std::uintptr_t WindowAt(std::int32_t x, std::int32_t y) const override
    {
        return reinterpret_cast<std::uintptr_t>(WindowFromPoint(POINT { x, y }));
    }

    std::optional<ScreenRect> WindowRect(std::uintptr_t window) const override
    {
        RECT rect {};
        if (window == 0 || !GetWindowRect(AsWindow(window), &rect))
            return std::nullopt;
        return ScreenRect { rect.left, rect.top, rect.right, rect.bottom };
    }

    std::optional<std::string> WindowCaption(std::uintptr_t window) const override
    {
        // 102 bytes with at most 100 characters asked for.
        char caption[102] = {};
        SetLastError(ERROR_SUCCESS);
        const int length = GetWindowTextA(AsWindow(window), caption, 100);
        if (length == 0 && GetLastError() != ERROR_SUCCESS)
            return std::nullopt;
        return std::string(caption, static_cast<std::size_t>(length));
    }

    ScreenRect SystemWorkArea() const override
    {
        RECT area {};
        if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0))
            return ScreenRect { 0, 0, ScreenWidth(), ScreenHeight() };
        return ScreenRect { area.left, area.top, area.right, area.bottom };
    }

    std::uintptr_t MainWindow() const override
    {
        return reinterpret_cast<std::uintptr_t>(Application::Get().MainWindowHandle());
    }
};

} // namespace

TaskbarFinder& ProcessTaskbar()
{
    static TaskbarFinder finder;
    return finder;
}

void PlaceDialog(HWND box, HWND source)
{
    RECT outer {};
    GetWindowRect(box, &outer);
    const SystemWindowQuery query;
    const ScreenPoint place = ProcessTaskbar().PlaceDialog(
        query, outer.right - outer.left, outer.bottom - outer.top, reinterpret_cast<std::uintptr_t>(source));
    SetWindowPos(box, nullptr, place.x, place.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
