#include "gui/TrayIconRetry.h"

#include "Observe.h"
#include "Program.h"
#include "Resident.h"
#include "SavedSettings.h"
#include "SettingsRegistry.h"
#include "TrayDriving.h"
#include "TrayIconSlots.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstddef>
#include <cwchar>
#include <iterator>
#include <mutex>
#include <optional>
#include <shellapi.h>
#include <string>
#include <utility>
#include <vector>

namespace {

// A shell that restarts says so to every top-level window with this
// registered message.
constexpr char TaskbarCreatedName[] = "TaskbarCreated";
constexpr DWORD BroadcastAnswerMilliseconds = 5000;
constexpr int Announcements = 3;
constexpr int IconPressAttempts = 5;
constexpr DWORD IconPressMilliseconds = 3000;

void AnnounceTaskbar()
{
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(HWND_BROADCAST, RegisterWindowMessageA(TaskbarCreatedName), 0, 0, SMTO_ABORTIFHUNG,
        BroadcastAnswerMilliseconds, &answer);
}

// Room for a retry to arrive late on a busy machine.
constexpr DWORD RetrySlackMilliseconds = 10000;
constexpr char TaskbarClass[] = "Shell_TrayWnd";
// The icon changes of a start (the add, the first refresh's tip and icon).
constexpr int StartUpChanges = 2;

// The head of the record Wine's Shell_NotifyIcon hands the taskbar: the
// window as a 32-bit number, the identifier, flags, callback message, tip.
struct NotifyHead {
    LONG window;
    UINT id;
    UINT flags;
    UINT callbackMessage;
    WCHAR tip[128];
};

// The rest of the record up to the icon, which Wine hands over as a bitmap
// described here and followed by its bits.
struct NotifyRecord {
    NotifyHead head;
    DWORD state;
    DWORD stateMask;
    WCHAR info[256];
    UINT timeoutOrVersion;
    WCHAR infoTitle[64];
    DWORD infoFlags;
    GUID item;
    UINT iconWidth;
    UINT iconHeight;
    UINT iconPlanes;
    UINT iconBitsPerPixel;
};
static_assert(offsetof(NotifyRecord, iconWidth) == 944);

// A taskbar that is there but not yet ready or busy, as at logon: a window
// of the taskbar's class, on a thread of its own so that it answers while
// the test waits.  Shell_NotifyIconA finds the first window of that class
// and hands it each notification as WM_COPYDATA, the NIM_ message in
// dwData.  It holds at most one icon, refuses an add while it holds one and
// takes a modify only then.  It never says "TaskbarCreated".
class StandInTaskbar {
public:
    enum class Adds {
        // Not ready: every add is refused and forgotten.
        Refused,
        // Busy: an add is carried out but answered FALSE, as a call that
        // timed out.
        HeldButRefused,
        Taken,
    };

    explicit StandInTaskbar(Adds adds)
        : adds_(adds)
        , ready_(CreateEventA(nullptr, TRUE, FALSE, nullptr))
    {
        thread_ = CreateThread(nullptr, 0, Run, this, 0, &threadId_);
        WaitForSingleObject(ready_, INFINITE);
    }
    ~StandInTaskbar()
    {
        PostMessageA(window_, WM_CLOSE, 0, 0);
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_);
        CloseHandle(ready_);
    }
    StandInTaskbar(const StandInTaskbar&) = delete;
    StandInTaskbar& operator=(const StandInTaskbar&) = delete;

    HWND Window() const { return window_; }
    void Accept() { adds_ = Adds::Taken; }
    int Refusals() const { return refusals_; }
    int TakenAdds() const { return takenAdds_; }
    int Notifications() const { return notifications_; }
    bool Holds() const { return holds_; }
    // The width of each icon handed over, in order.
    std::vector<UINT> IconWidths() const
    {
        std::lock_guard lock(recordLock_);
        return iconWidths_;
    }
    std::wstring Tip() const
    {
        std::lock_guard lock(recordLock_);
        return tip_;
    }

private:
    static DWORD WINAPI Run(void* parameter)
    {
        auto* self = static_cast<StandInTaskbar*>(parameter);
        WNDCLASSA windowClass {};
        windowClass.lpfnWndProc = Proc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = TaskbarClass;
        RegisterClassA(&windowClass);
        // Topmost, so that it is found before the shell's own taskbar.
        self->window_ = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, TaskbarClass, "", WS_POPUP, 0, 0, 0,
            0, nullptr, nullptr, windowClass.hInstance, nullptr);
        SetWindowLongPtrA(self->window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        SetEvent(self->ready_);
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0)
            DispatchMessageA(&message);
        UnregisterClassA(TaskbarClass, windowClass.hInstance);
        return 0;
    }
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* self = reinterpret_cast<StandInTaskbar*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (message == WM_COPYDATA && self != nullptr) {
            ++self->notifications_;
            const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
            if (data->cbData < sizeof(NotifyHead))
                return FALSE;
            const auto& head = *static_cast<const NotifyHead*>(data->lpData);
            if ((head.flags & NIF_ICON) != 0 && data->cbData >= sizeof(NotifyRecord)) {
                std::lock_guard lock(self->recordLock_);
                self->iconWidths_.push_back(static_cast<const NotifyRecord*>(data->lpData)->iconWidth);
            }
            const bool taken = self->Notify(data->dwData, head);
            self->refusals_ += taken ? 0 : 1;
            return taken;
        }
        if (message == WM_CLOSE) {
            DestroyWindow(window);
            PostQuitMessage(0);
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }
    bool Notify(ULONG_PTR call, const NotifyHead& head)
    {
        if (call == NIM_DELETE) {
            const bool held = holds_;
            holds_ = false;
            return held;
        }
        const bool add = call == NIM_ADD;
        if (add == holds_ || (add && adds_ == Adds::Refused))
            return false;
        holds_ = true;
        if ((head.flags & NIF_TIP) != 0) {
            std::lock_guard lock(recordLock_);
            tip_.assign(head.tip, wcsnlen(head.tip, std::size(head.tip)));
        }
        if (!add)
            return true;
        takenAdds_ += adds_ == Adds::Taken ? 1 : 0;
        return adds_ == Adds::Taken;
    }

    std::atomic<Adds> adds_;
    HANDLE ready_;
    HANDLE thread_ = nullptr;
    DWORD threadId_ = 0;
    HWND window_ = nullptr;
    std::atomic<int> refusals_ { 0 };
    std::atomic<int> takenAdds_ { 0 };
    std::atomic<int> notifications_ { 0 };
    std::atomic<bool> holds_ { false };
    mutable std::mutex recordLock_;
    std::wstring tip_;
    std::vector<UINT> iconWidths_;
};

class TaskbarCreated : public FreshSettings {
protected:
    void SetUp() override
    {
        FreshSettings::SetUp();
        SetSetting("Version", "14");
        const std::optional<POINT> first = TrayIconSlotPoint(0);
        const std::optional<POINT> second = TrayIconSlotPoint(1);
        ASSERT_TRUE(first && second) << "no taskbar in this prefix";
        first_.emplace(*first);
        second_.emplace(*second);
    }

    // The program's icon takes the first square of the tray and no other.
    // Wine's tray lays a re-added icon out a moment after the add returns,
    // so a press that found the square still empty is tried again.
    void ExpectOneIcon(const RunningProgram& program)
    {
        bool opened = false;
        for (int attempt = 0; attempt < IconPressAttempts && !opened; ++attempt)
            opened = first_->RightPressOpensMenu(program.Id(), IconPressMilliseconds);
        EXPECT_TRUE(opened) << "the icon is not in the tray";
        EXPECT_FALSE(second_->RightPressOpensMenu(program.Id(), NothingOpensMilliseconds))
            << "a second icon of the program is in the tray";
    }

    std::optional<TrayIconSlot> first_;
    std::optional<TrayIconSlot> second_;
};

TEST_F(TaskbarCreated, TheIconIsBackAfterEachAnnouncementAndLeavesWithTheProgram)
{
    {
        RunningProgram program("");
        HWND tray = WaitForSettledTray(program);
        ASSERT_NE(tray, nullptr);
        ExpectOneIcon(program);
        for (int i = 0; i < Announcements; ++i) {
            SCOPED_TRACE(i);
            AnnounceTaskbar();
            ExpectOneIcon(program);
        }
        ASSERT_TRUE(CloseAndWaitForExit(tray, program));
        EXPECT_EQ(program.ExitCode(), 0u);
    }
    ExpectSaved(DefaultSettings);

    // Had the icon stayed behind, the new copy's icon would take the
    // second square and a press on the first would reach the dead one.
    RunningProgram again("");
    HWND tray = WaitForSettledTray(again);
    ASSERT_NE(tray, nullptr);
    ExpectOneIcon(again);
    ASSERT_TRUE(CloseAndWaitForExit(tray, again));
    EXPECT_EQ(again.ExitCode(), 0u);
}

// The icon comes without "TaskbarCreated": once the start-up's own changes
// have been refused, only the program's retry timer sends the icon again,
// and once the taskbar has taken it nothing more is sent.
class TaskbarNotReady : public FreshSettings {
protected:
    void SetUp() override
    {
        FreshSettings::SetUp();
        SetSetting("Version", "14");
    }
};

TEST_F(TaskbarNotReady, TheIconComesFromTheRetriesWithoutAnAnnouncement)
{
    StandInTaskbar taskbar(StandInTaskbar::Adds::Refused);
    ASSERT_EQ(FindWindowExA(nullptr, nullptr, TaskbarClass, nullptr), taskbar.Window())
        << "the shell's own taskbar would be asked first";
    RunningProgram program("");
    // The shell shows no tip of an icon it never got, so the start is seen
    // through the stand-in's refusals.
    HWND tray = WaitForStartedWindow(TrayClass, program);
    ASSERT_NE(tray, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return taskbar.Refusals() >= 1; }, WindowAppearsMilliseconds));
    // The start-up's own changes send the icon a bounded number of times;
    // refusals that keep coming, one retry interval apart, are the timer's.
    for (int retry = 0; retry < StartUpChanges + 1; ++retry) {
        const int refused = taskbar.Refusals();
        EXPECT_TRUE(WaitUntil(
            [&] { return taskbar.Refusals() > refused; }, TrayRetryInterval + RetrySlackMilliseconds))
            << "a refused icon was not tried again";
    }
    taskbar.Accept();
    EXPECT_TRUE(
        WaitUntil([&] { return taskbar.TakenAdds() > 0; }, 2 * TrayRetryInterval + RetrySlackMilliseconds))
        << "the icon never reached the taskbar that took it";
    EXPECT_EQ(taskbar.TakenAdds(), 1);
    const int notifications = taskbar.Notifications();
    EXPECT_FALSE(WaitUntil([&] { return taskbar.Notifications() > notifications; }, 2 * TrayRetryInterval))
        << "the program goes on sending with its icon in the tray";
    ASSERT_TRUE(CloseAndWaitForExit(tray, program));
    EXPECT_EQ(program.ExitCode(), 0u);
    EXPECT_FALSE(taskbar.Holds()) << "the icon stayed in the tray after the exit";
}

// A busy taskbar carries the first add out but answers FALSE, as a call
// that timed out does, and then refuses every further add as a duplicate.
// The program finds its icon there by a modify, and treats it as its own.
TEST_F(TaskbarNotReady, AnAddAnsweredFalseButCarriedOutIsFoundByAModify)
{
    StandInTaskbar taskbar(StandInTaskbar::Adds::HeldButRefused);
    ASSERT_EQ(FindWindowExA(nullptr, nullptr, TaskbarClass, nullptr), taskbar.Window())
        << "the shell's own taskbar would be asked first";
    const DWORD start = GetTickCount();
    RunningProgram program("");
    HWND tray = WaitForStartedWindow(TrayClass, program);
    ASSERT_NE(tray, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return taskbar.Holds(); }, WindowAppearsMilliseconds));
    const std::pair<const char*, const wchar_t*> switches[]
        = { { "/on", L"DRIM32 - SS_ON" }, { "/off", L"DRIM32 - SS_OFF" }, { "/on", L"DRIM32 - SS_ON" } };
    for (const auto& [mode, tip] : switches) {
        RunningProgram switcher(mode);
        ASSERT_TRUE(switcher.WaitForExit(ProcessEndsMilliseconds));
        EXPECT_TRUE(
            WaitUntil([&] { return taskbar.Tip() == tip; }, TrayRetryInterval + RetrySlackMilliseconds))
            << mode << ": the tip did not follow the mode";
    }
    // Had the program gone on adding, the refusals of a minute would bring
    // the "cannot register" box.
    const DWORD minute = TrayRetriesBeforeTelling * TrayRetryInterval + RetrySlackMilliseconds;
    const DWORD elapsed = GetTickCount() - start;
    EXPECT_EQ(WaitForBox(program.Id(), elapsed < minute ? minute - elapsed : 0), nullptr)
        << "the user was told of an icon that is in the tray";
    EXPECT_EQ(taskbar.Refusals(), 1) << "the program went on adding an icon the taskbar holds";
    ASSERT_TRUE(CloseAndWaitForExit(tray, program));
    EXPECT_EQ(program.ExitCode(), 0u);
    EXPECT_FALSE(taskbar.Holds()) << "the icon stayed in the tray after the exit";
}

// The taskbar draws its icons at the small-icon size of the system's DPI,
// which a program that is not DPI-aware is told is 16 at every scale.  Wine
// says Windows 10, so that the program asks as it does there.
class TrayIconSize : public InstalledOnWindows10 {
protected:
    void TearDown() override
    {
        DeleteValue(DesktopKeyPath, LogPixelsName);
        InstalledOnWindows10::TearDown();
    }
    static constexpr char DesktopKeyPath[] = "Control Panel\\Desktop";
    static constexpr char LogPixelsName[] = "LogPixels";
};

TEST_F(TrayIconSize, TheIconHandedToTheTaskbarIsDrawnForTheSystemDpi)
{
    const struct {
        const char* label;
        std::optional<DWORD> logPixels; // nothing: the default, 96
        UINT width;
    } cases[] = { { "100 %", std::nullopt, 16 }, { "150 %", 144, 24 } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        if (c.logPixels)
            SetRaw(DesktopKeyPath, LogPixelsName, DwordValue(*c.logPixels));
        StandInTaskbar taskbar(StandInTaskbar::Adds::Taken);
        ASSERT_EQ(FindWindowExA(nullptr, nullptr, TaskbarClass, nullptr), taskbar.Window())
            << "the shell's own taskbar would be asked first";
        // In SS_OFF whatever the case before saved.
        RunningProgram program("/off");
        HWND tray = WaitForStartedWindow(TrayClass, program);
        ASSERT_NE(tray, nullptr);
        ASSERT_TRUE(
            WaitUntil([&] { return taskbar.Tip() == L"DRIM32 - SS_OFF"; }, WindowAppearsMilliseconds));
        RunningProgram switcher("/on");
        ASSERT_TRUE(switcher.WaitForExit(ProcessEndsMilliseconds));
        ASSERT_TRUE(WaitUntil([&] { return taskbar.Tip() == L"DRIM32 - SS_ON"; }, WindowAppearsMilliseconds));
        ASSERT_TRUE(CloseAndWaitForExit(tray, program));
        // The start's picture, SS_OFF's and SS_ON's, each sent with the
        // change of tip before it and with its own change.
        const std::vector<UINT> widths = taskbar.IconWidths();
        EXPECT_GE(widths.size(), 5u);
        EXPECT_EQ(widths, std::vector<UINT>(widths.size(), c.width));
    }
}

} // namespace
