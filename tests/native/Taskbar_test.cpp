#include "gui/Taskbar.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {

constexpr std::uintptr_t Desktop = 0x10010;
constexpr std::uintptr_t Bar = 0x20020;
constexpr std::uintptr_t OtherBar = 0x30030;
constexpr std::uintptr_t Main = 0x40040;

struct FakeWindow {
    std::uintptr_t handle;
    ScreenRect rect;
    std::optional<std::string> caption = std::string();
    bool rectReadable = true;
};

// A 1024 x 768 screen whose windows are listed topmost first; a point hits
// the first window whose rectangle holds it.
class FakeScreen : public WindowQuery {
public:
    std::int32_t ScreenWidth() const override { return width; }
    std::int32_t ScreenHeight() const override { return height; }

    std::uintptr_t WindowAt(std::int32_t x, std::int32_t y) const override
    {
        probes.push_back(ScreenPoint { x, y });
        for (const FakeWindow& w : windows) {
            if (x >= w.rect.left && x < w.rect.right && y >= w.rect.top && y < w.rect.bottom)
                return w.handle;
        }
        return 0;
    }

    std::optional<ScreenRect> WindowRect(std::uintptr_t window) const override
    {
        const FakeWindow* w = Find(window);
        if (w == nullptr || !w->rectReadable)
            return std::nullopt;
        return w->rect;
    }

    std::optional<std::string> WindowCaption(std::uintptr_t window) const override
    {
        const FakeWindow* w = Find(window);
        return w == nullptr ? std::nullopt : w->caption;
    }

    ScreenRect SystemWorkArea() const override { return systemWorkArea; }
    std::uintptr_t MainWindow() const override { return mainWindow; }

    FakeWindow& Window(std::uintptr_t handle)
    {
        for (FakeWindow& w : windows) {
            if (w.handle == handle)
                return w;
        }
        throw std::logic_error("no such fake window");
    }

    void AddOnTop(FakeWindow w) { windows.insert(windows.begin(), w); }

    std::int32_t width = 1024;
    std::int32_t height = 768;
    std::vector<FakeWindow> windows { FakeWindow { Desktop, ScreenRect { 0, 0, 1024, 768 } } };
    ScreenRect systemWorkArea { 0, 0, 1024, 768 };
    std::uintptr_t mainWindow = 0;
    mutable std::vector<ScreenPoint> probes;

private:
    const FakeWindow* Find(std::uintptr_t handle) const
    {
        for (const FakeWindow& w : windows) {
            if (w.handle == handle)
                return &w;
        }
        return nullptr;
    }
};

FakeScreen ScreenWithBar(ScreenRect bar)
{
    FakeScreen screen;
    screen.AddOnTop(FakeWindow { Bar, bar });
    return screen;
}

TEST(FindWorkArea, TakesTheBarAtEachEdge)
{
    struct Case {
        ScreenRect bar;
        WorkArea work;
    };
    const Case cases[] = {
        { { -2, 740, 1026, 770 }, { 0, 0, 1024, 740 } },
        { { -2, -2, 1026, 28 }, { 0, 28, 1024, 740 } },
        { { -2, -2, 60, 770 }, { 60, 0, 964, 768 } },
        { { 964, -2, 1026, 770 }, { 0, 0, 964, 768 } },
    };
    for (const Case& c : cases) {
        FakeScreen screen = ScreenWithBar(c.bar);
        TaskbarFinder finder;
        EXPECT_TRUE(finder.FindWorkArea(screen));
        EXPECT_EQ(finder.Work(), c.work) << c.bar.left << "," << c.bar.top;
        EXPECT_EQ(finder.TaskbarHandle(), Bar);
    }
}

TEST(FindWorkArea, ProbesTheCornersInOrder)
{
    FakeScreen screen;
    TaskbarFinder finder;
    finder.FindWorkArea(screen);
    const std::vector<ScreenPoint> expected { { 1, 1 }, { 1, 767 }, { 1023, 1 }, { 1023, 767 } };
    EXPECT_EQ(screen.probes, expected);
}

TEST(FindWorkArea, MeasuresAndCachesTheFirstAcceptedCandidate)
{
    // The left bar is found at (1, 1), before the right bar at (1023, 1).
    FakeScreen screen = ScreenWithBar({ -2, -2, 60, 770 });
    screen.AddOnTop(FakeWindow { OtherBar, { 964, -2, 1026, 770 } });
    TaskbarFinder finder;
    EXPECT_TRUE(finder.FindWorkArea(screen));
    EXPECT_EQ(finder.Work(), (WorkArea { 60, 0, 964, 768 }));
    EXPECT_EQ(finder.TaskbarHandle(), Bar);
}

TEST(FindWorkArea, RejectsWindowsThatAreNoBar)
{
    const ScreenRect rejected[] = {
        { 0, 0, 1024, 768 }, // exactly the screen
        { -2, 380, 1026, 770 }, // spans the width, 390 > 768 / 2 + 2 tall
        { -2, -2, 520, 770 }, // spans the height, 522 > 1024 / 2 + 2 wide
        { 0, 740, 1024, 768 }, // spans the width from x = 0
        { 0, 0, 60, 768 }, // spans the height from y = 0
        { -2, 740, 1030, 770 }, // not symmetric
    };
    for (const ScreenRect& r : rejected) {
        FakeScreen screen = ScreenWithBar(r);
        TaskbarFinder finder;
        EXPECT_FALSE(finder.FindWorkArea(screen)) << r.left << "," << r.top << "," << r.right;
        EXPECT_EQ(finder.Work(), (WorkArea { 0, 0, 1024, 768 }));
        EXPECT_EQ(finder.TaskbarHandle(), 0u);
    }
}

TEST(FindWorkArea, AcceptsBarsExactlyAtTheSizeLimit)
{
    FakeScreen tall = ScreenWithBar({ -2, 384, 1026, 770 });
    TaskbarFinder finder;
    EXPECT_TRUE(finder.FindWorkArea(tall));
    EXPECT_EQ(finder.Work(), (WorkArea { 0, 0, 1024, 384 }));

    FakeScreen wide = ScreenWithBar({ -2, -2, 512, 770 });
    TaskbarFinder other;
    EXPECT_TRUE(other.FindWorkArea(wide));
    EXPECT_EQ(other.Work(), (WorkArea { 512, 0, 512, 768 }));
}

TEST(FindWorkArea, RejectsACaptionedOrUnreadableCaption)
{
    for (const std::optional<std::string>& caption :
        { std::optional<std::string>("Bar"), std::optional<std::string>() }) {
        FakeScreen screen = ScreenWithBar({ -2, 740, 1026, 770 });
        screen.Window(Bar).caption = caption;
        TaskbarFinder finder;
        EXPECT_FALSE(finder.FindWorkArea(screen));
        EXPECT_EQ(finder.TaskbarHandle(), 0u);
    }
}

TEST(FindWorkArea, SkipsProbePointsWithoutWindowOrReadableRectangle)
{
    FakeScreen screen;
    screen.windows = { FakeWindow { Bar, { -2, 740, 1026, 770 } } };
    TaskbarFinder finder;
    EXPECT_TRUE(finder.FindWorkArea(screen));
    EXPECT_EQ(finder.Work(), (WorkArea { 0, 0, 1024, 740 }));

    FakeScreen hidden = ScreenWithBar({ -2, -2, 60, 770 });
    hidden.AddOnTop(FakeWindow { OtherBar, { -2, -2, 1026, 28 } });
    hidden.Window(OtherBar).rectReadable = false;
    TaskbarFinder second;
    EXPECT_TRUE(second.FindWorkArea(hidden));
    EXPECT_EQ(second.TaskbarHandle(), Bar);
    EXPECT_EQ(second.Work(), (WorkArea { 60, 0, 964, 768 }));
}

TEST(FindWorkArea, MeasuresTheCachedBarWithoutProbing)
{
    FakeScreen screen = ScreenWithBar({ -2, 740, 1026, 770 });
    TaskbarFinder finder;
    ASSERT_TRUE(finder.FindWorkArea(screen));
    screen.probes.clear();

    screen.Window(Bar).rect = { 964, -2, 1026, 770 };
    EXPECT_TRUE(finder.FindWorkArea(screen));
    EXPECT_EQ(finder.Work(), (WorkArea { 0, 0, 964, 768 }));
    EXPECT_EQ(finder.TaskbarHandle(), Bar);
    EXPECT_TRUE(screen.probes.empty());
}

TEST(FindWorkArea, ProbesAgainWhenTheCachedBarCannotBeMeasured)
{
    FakeScreen screen = ScreenWithBar({ -2, 740, 1026, 770 });
    TaskbarFinder finder;
    ASSERT_TRUE(finder.FindWorkArea(screen));

    screen.Window(Bar).rectReadable = false;
    screen.AddOnTop(FakeWindow { OtherBar, { -2, -2, 1026, 28 } });
    EXPECT_TRUE(finder.FindWorkArea(screen));
    EXPECT_EQ(finder.TaskbarHandle(), OtherBar);
    EXPECT_EQ(finder.Work(), (WorkArea { 0, 28, 1024, 740 }));

    screen.Window(OtherBar).rectReadable = false;
    EXPECT_FALSE(finder.FindWorkArea(screen));
    EXPECT_EQ(finder.TaskbarHandle(), 0u);
    EXPECT_EQ(finder.Work(), (WorkArea { 0, 0, 1024, 768 }));
}

TEST(FindWorkArea, ForgetsACachedBarThatLeavesNoWorkArea)
{
    FakeScreen screen = ScreenWithBar({ -2, 740, 1026, 770 });
    screen.systemWorkArea = { 0, 0, 1024, 740 };
    TaskbarFinder finder;
    ASSERT_TRUE(finder.FindWorkArea(screen));

    // Still spanning the width, but from the top edge down: height t = 0.
    screen.Window(Bar).rect = { -2, 0, 1026, 770 };
    screen.systemWorkArea = { 0, 0, 1000, 700 };
    EXPECT_FALSE(finder.FindWorkArea(screen));
    EXPECT_EQ(finder.TaskbarHandle(), 0u);
    EXPECT_EQ(finder.Work(), (WorkArea { 0, 0, 1000, 700 }));
}

TEST(FindWorkArea, FallsBackToTheSystemWorkAreaForABarFromXZero)
{
    FakeScreen screen = ScreenWithBar({ 0, 748, 1024, 768 });
    screen.systemWorkArea = { 0, 0, 1024, 748 };
    TaskbarFinder finder;
    EXPECT_FALSE(finder.FindWorkArea(screen));
    EXPECT_EQ(finder.TaskbarHandle(), 0u);
    EXPECT_EQ(finder.Work(), (WorkArea { 0, 0, 1024, 748 }));
}

TEST(FindWorkArea, ReadsTheScreenSizeAfresh)
{
    FakeScreen screen = ScreenWithBar({ -2, 740, 1026, 770 });
    TaskbarFinder finder;
    ASSERT_TRUE(finder.FindWorkArea(screen));

    screen.width = 800;
    screen.height = 600;
    screen.windows.back().rect = { 0, 0, 800, 600 };
    screen.Window(Bar).rect = { -2, 572, 802, 602 };
    EXPECT_TRUE(finder.FindWorkArea(screen));
    EXPECT_EQ(finder.Work(), (WorkArea { 0, 0, 800, 572 }));
}

class PlaceDialogTest : public ::testing::Test {
protected:
    FakeScreen screen = ScreenWithBar({ -2, 740, 1026, 770 });
    TaskbarFinder finder;
};

TEST_F(PlaceDialogTest, CentresOnTheSourceWindow)
{
    screen.AddOnTop(FakeWindow { Main, { 100, 100, 500, 400 }, "main" });
    EXPECT_EQ(finder.PlaceDialog(screen, 300, 150, Main), (ScreenPoint { 150, 175 }));
    EXPECT_EQ(finder.TaskbarHandle(), Bar);
}

TEST_F(PlaceDialogTest, UsesTheMainWindowWhenNoSourceIsGiven)
{
    screen.AddOnTop(FakeWindow { Main, { 100, 100, 500, 400 }, "main" });
    screen.mainWindow = Main;
    EXPECT_EQ(finder.PlaceDialog(screen, 300, 150, 0), (ScreenPoint { 150, 175 }));
}

TEST_F(PlaceDialogTest, CentresOnTheWorkAreaWithoutAReadableSource)
{
    // Work area (0, 0, 1024, 740): (1024 - 300) / 2, (740 - 150) / 2.
    const ScreenPoint centre { 362, 295 };
    EXPECT_EQ(finder.PlaceDialog(screen, 300, 150, 0), centre);

    screen.AddOnTop(FakeWindow { Main, { 100, 100, 500, 400 }, "main" });
    screen.mainWindow = Main;
    EXPECT_EQ(finder.PlaceDialog(screen, 300, 150, 0x99990), centre);

    screen.Window(Main).rectReadable = false;
    EXPECT_EQ(finder.PlaceDialog(screen, 300, 150, 0), centre);
}

TEST_F(PlaceDialogTest, CentresWithTruncatingDivision)
{
    // (101 - 200) / 2 is -49, not -50.
    screen.AddOnTop(FakeWindow { Main, { 300, 300, 401, 401 }, "main" });
    EXPECT_EQ(finder.PlaceDialog(screen, 200, 200, Main), (ScreenPoint { 251, 251 }));
}

TEST_F(PlaceDialogTest, HoldsTheBoxInsideTheWorkArea)
{
    screen.AddOnTop(FakeWindow { Main, { 900, 700, 1100, 800 }, "main" });
    EXPECT_EQ(finder.PlaceDialog(screen, 300, 150, Main), (ScreenPoint { 724, 590 }));

    screen.Window(Main).rect = { -200, -100, 0, 0 };
    EXPECT_EQ(finder.PlaceDialog(screen, 300, 150, Main), (ScreenPoint { 0, 0 }));
}

TEST_F(PlaceDialogTest, AlignsAnOversizedBoxLeftAndTop)
{
    FakeScreen left = ScreenWithBar({ -2, -2, 60, 770 });
    EXPECT_EQ(finder.PlaceDialog(left, 1000, 200, 0).x, 60);

    FakeScreen top = ScreenWithBar({ -2, -2, 1026, 28 });
    EXPECT_EQ(finder.PlaceDialog(top, 1100, 800, 0), (ScreenPoint { 0, 28 }));
}

TEST_F(PlaceDialogTest, KeepsTheBoxOffTheMendedTaskbar)
{
    FakeScreen wine = ScreenWithBar({ 0, 748, 1024, 768 });
    wine.systemWorkArea = { 0, 0, 1024, 748 };
    wine.AddOnTop(FakeWindow { Main, { 700, 600, 1024, 768 }, "main" });
    EXPECT_EQ(finder.PlaceDialog(wine, 300, 150, Main), (ScreenPoint { 712, 598 }));
}

} // namespace
