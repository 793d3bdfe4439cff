#include "gui/Application.h"
#include "platform/Registry.h"
#include "program/Program.h"
#include "program/ProgramValues.h"
#include "tray/DrIMFM.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>

namespace {

constexpr char SettingsKeyPath[] = "Software\\PALUN RUZI32\\DRIM32";
constexpr char MenuClass[] = "#32768";
constexpr char OptionBoxClass[] = "TMKBox";

constexpr int MenuOpenings = 200;
constexpr int BoxesShown = 50;
constexpr int TrayWindowsMade = 20;
// The first openings fill the system's caches (menu fonts, check-mark
// bitmaps, the box's symbol and fonts, the window classes); they are not
// leaks and are spent before the first count.
constexpr int WarmUpMenuOpenings = 5;
constexpr int WarmUpBoxes = 2;
constexpr int WarmUpTrayWindows = 2;
// Past the tray window's two start-up timers (300 ms each, one after the
// other) with room for a slow machine.
constexpr DWORD TraySettleMilliseconds = 1000;
// Lets the messages posted on the way out (repaints, null messages) run.
constexpr DWORD AfterRunsMilliseconds = 200;
constexpr UINT CloserPollMilliseconds = 10;

// Wine's handle tables, as its user32, gdi32 and server lay them out.
constexpr UINT_PTR FirstUserHandle = 0x0020;
constexpr UINT_PTR LastUserHandle = 0xFFEF;
constexpr UINT_PTR UserHandleStep = 2;
constexpr UINT_PTR GdiHandleSlots = 0x10000;
constexpr UINT_PTR KernelHandleStep = 4;
constexpr UINT_PTR KernelHandleProbeEnd = 0x10000;

struct ObjectCounts {
    DWORD user = 0;
    DWORD gdi = 0;
    DWORD handles = 0;

    bool operator==(const ObjectCounts&) const = default;
};

void PrintTo(const ObjectCounts& counts, std::ostream* out)
{
    *out << "{ USER " << counts.user << ", GDI " << counts.gdi << ", handles " << counts.handles << " }";
}

BOOL CALLBACK CountOne(HWND, LPARAM context)
{
    ++*reinterpret_cast<DWORD*>(context);
    return TRUE;
}

BOOL CALLBACK CountWithDescendants(HWND window, LPARAM context)
{
    CountOne(window, context);
    EnumChildWindows(window, CountOne, context);
    return TRUE;
}

// Every window of this thread, hidden ones included; EnumChildWindows lists
// the children of the children as well.
DWORD CountThreadWindows()
{
    DWORD count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWithDescendants, reinterpret_cast<LPARAM>(&count));
    return count;
}

// Wine answers GetGuiResources and GetProcessHandleCount with 0.  There the
// objects are counted by asking about every slot of its tables: a GDI or
// USER handle whose upper word is 0 names its slot whatever the slot's
// generation, and the USER table holds only this process's objects.
// Windows are counted by enumeration, menus by their slots; an icon owns
// GDI bitmaps, so a lost icon shows in the GDI count.
ObjectCounts CountByProbing()
{
    ObjectCounts counts;
    counts.user = CountThreadWindows();
    for (UINT_PTR handle = FirstUserHandle; handle <= LastUserHandle; handle += UserHandleStep)
        if (IsMenu(reinterpret_cast<HMENU>(handle)))
            ++counts.user;
    for (UINT_PTR slot = 1; slot < GdiHandleSlots; ++slot)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(slot)) != 0)
            ++counts.gdi;
    for (UINT_PTR handle = KernelHandleStep; handle < KernelHandleProbeEnd; handle += KernelHandleStep) {
        DWORD flags = 0;
        if (GetHandleInformation(reinterpret_cast<HANDLE>(handle), &flags))
            ++counts.handles;
    }
    return counts;
}

ObjectCounts CountObjects()
{
    const DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    // A process with windows always holds GDI objects (the stock ones at
    // least), so 0 means the call is not implemented.
    if (gdi == 0)
        return CountByProbing();
    ObjectCounts counts;
    counts.gdi = gdi;
    counts.user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    GetProcessHandleCount(GetCurrentProcess(), &counts.handles);
    return counts;
}

void RunMessagesFor(DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        Application::Get().ProcessMessages();
        Sleep(CloserPollMilliseconds);
    }
    Application::Get().ProcessMessages();
}

struct WindowSearch {
    const char* className;
    HWND found;
};

BOOL CALLBACK FindVisibleOfClass(HWND window, LPARAM context)
{
    auto& search = *reinterpret_cast<WindowSearch*>(context);
    char name[257] = {};
    GetClassNameA(window, name, sizeof name);
    if (!IsWindowVisible(window) || std::string(name) != search.className)
        return TRUE;
    search.found = window;
    return FALSE;
}

HWND OwnVisibleWindow(const char* className)
{
    WindowSearch search { className, nullptr };
    EnumThreadWindows(GetCurrentThreadId(), FindVisibleOfClass, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Closes the next menu or option box this thread opens, as soon as it is
// up.  A thread timer does it: the menu's and the box's modal loops both
// dispatch it, and no second thread (with handles of its own) is needed.
class CloseWhenOpen {
public:
    enum class Target { Menu, Box };

    explicit CloseWhenOpen(Target target)
        : target_(target)
    {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, CloserPollMilliseconds, Tick);
    }
    ~CloseWhenOpen()
    {
        if (!closed_)
            KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    CloseWhenOpen(const CloseWhenOpen&) = delete;
    CloseWhenOpen& operator=(const CloseWhenOpen&) = delete;

    bool Closed() const { return closed_; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        CloseWhenOpen* self = current_;
        if (self == nullptr || self->closed_)
            return;
        // Until the window is shown the loop that owns it is not running; a
        // close before then would be lost (a menu) or end the wrong loop.
        if (self->target_ == Target::Menu) {
            if (OwnVisibleWindow(MenuClass) == nullptr)
                return;
            EndMenu();
        } else {
            HWND box = OwnVisibleWindow(OptionBoxClass);
            if (box == nullptr)
                return;
            PostMessageA(box, WM_CLOSE, 0, 0);
        }
        KillTimer(nullptr, self->timer_);
        self->closed_ = true;
    }

    static inline CloseWhenOpen* current_ = nullptr;
    Target target_;
    UINT_PTR timer_ = 0;
    bool closed_ = false;
};

std::string ModulePath()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

class NoLeaks : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        Application::Get().SetTitle(std::string(ApplicationTitle));
        Application::Get().Initialize(GetModuleHandleA(nullptr));
        Program().programPath = ModulePath();
        Program().programFolder = Program().programPath.substr(0, Program().programPath.rfind('\\') + 1);
    }

    void SetUp() override
    {
        RegDeleteKeyA(HKEY_CURRENT_USER, SettingsKeyPath);
        const std::optional<RegistryKey> key = RegistryKey::OpenOrCreate(HKEY_CURRENT_USER, SettingsKeyPath);
        ASSERT_TRUE(key.has_value());
        ASSERT_TRUE(key->WriteString("Version", "14"));
    }

    void TearDown() override
    {
        tray_.reset();
        RegDeleteKeyA(HKEY_CURRENT_USER, SettingsKeyPath);
    }

    TSDRIM32PALUN& StartTray()
    {
        tray_ = std::make_unique<TSDRIM32PALUN>();
        RunMessagesFor(TraySettleMilliseconds);
        return *tray_;
    }

    // Runs `action` a few times to fill the caches, counts, runs it
    // `times` times, and counts again.
    void ExpectNoGrowth(int warmUps, int times, const std::function<void(int)>& action)
    {
        for (int i = 0; i < warmUps && !HasFatalFailure(); ++i)
            action(i);
        RunMessagesFor(AfterRunsMilliseconds);
        const ObjectCounts before = CountObjects();
        for (int i = 0; i < times && !HasFatalFailure(); ++i)
            action(i);
        RunMessagesFor(AfterRunsMilliseconds);
        EXPECT_EQ(CountObjects(), before);
    }

    std::unique_ptr<TSDRIM32PALUN> tray_;
};

POINT ScreenMiddle()
{
    return { GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2 };
}

void OpenAndCloseMenu(PopupMenu& menu)
{
    const POINT at = ScreenMiddle();
    CloseWhenOpen closer(CloseWhenOpen::Target::Menu);
    menu.Popup(at.x, at.y);
    ASSERT_TRUE(closer.Closed()) << "the menu never came up";
}

TEST_F(NoLeaks, OpeningEitherMenuTwoHundredTimesKeepsTheObjectCounts)
{
    TSDRIM32PALUN& tray = StartTray();
    ExpectNoGrowth(WarmUpMenuOpenings, MenuOpenings, [&](int) {
        OpenAndCloseMenu(tray.PopupMenu1());
        OpenAndCloseMenu(tray.PopupMenu2());
    });
    EXPECT_FALSE(tray.Busy());
}

TEST_F(NoLeaks, FiftyOptionBoxesShownAndClosedKeepTheObjectCounts)
{
    TSDRIM32PALUN& tray = StartTray();
    ExpectNoGrowth(WarmUpBoxes, BoxesShown, [&](int i) {
        CloseWhenOpen closer(CloseWhenOpen::Target::Box);
        // Each box its own text, so that no cache of one text hides a loss.
        const std::int16_t result = tray.MKBoxDlg1().ExecuteCount("box " + std::to_string(i));
        ASSERT_TRUE(closer.Closed()) << "box " << i << " never came up";
        EXPECT_EQ(result, 2) << "box " << i;
    });
}

TEST_F(NoLeaks, TrayWindowsMadeAndDestroyedLeaveNothingBehind)
{
    ExpectNoGrowth(WarmUpTrayWindows, TrayWindowsMade, [&](int) {
        StartTray();
        tray_.reset();
    });
}

} // namespace
