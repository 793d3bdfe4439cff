#include "CaseLabel.h"
#include "Observe.h"
#include "Program.h"
#include "Resident.h"
#include "SettingsRegistry.h"
#include "TrayDriving.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <list>
#include <optional>
#include <string>
#include <vector>

namespace {

const std::string AlreadyResident = "既に、タスクトレイに登録されています☆☆☆";
// As the box's text field holds it: a carriage return before the line feed.
const std::string InvalidParameterLead = "エラー：パラメーターが不正です・・・\r\n";

// The option box has ten slots; every further box is refused.
constexpr int OptionBoxSlots = 10;
// Twelve second starts, eleven of which want a box: one more than there
// are slots.
const std::vector<std::string> MixedStarts { "", "x", "", "/off", "y", "", "z", "", "w", "", "v", "" };
// Twelve Wine processes starting at once on two cores, then every box's
// ten-second countdown, nested.
constexpr DWORD AllSendersEndMilliseconds = 60000;
// A box counts down from ten seconds.
constexpr DWORD CountdownEndsMilliseconds = 15000;
// Nothing but the closing of the box in front holds a box whose count ran
// out.
constexpr DWORD OuterBoxFollowsMilliseconds = 3000;
// A sender that reached the resident copy ends once its handling is done.
constexpr DWORD SenderEndsMilliseconds = 10000;

// A resident tray program, started after the test has written its settings
// and closed at the end.
class Forwarding : public FreshSettings {
protected:
    void SetUp() override
    {
        FreshSettings::SetUp();
        SetSetting("Version", "14");
    }

    void TearDown() override
    {
        resident_.reset();
        FreshSettings::TearDown();
    }

    DWORD ResidentId() const { return resident_->Id(); }

    // A second start whose switch needs no message: it ends once the
    // resident copy has applied it, and no box came meanwhile.
    void ForwardSilently(const std::string& arguments)
    {
        RunningProgram sender(arguments);
        bool boxSeen = false;
        const bool ended = WaitUntil(
            [&] {
                boxSeen = boxSeen || !VisibleWindows(OptionBoxClass, ResidentId()).empty();
                return sender.WaitForExit(0);
            },
            ProcessEndsMilliseconds);
        ASSERT_TRUE(ended) << arguments;
        EXPECT_FALSE(boxSeen) << arguments;
        EXPECT_EQ(sender.ExitCode(), 0u);
    }

    // A second start that makes the resident copy show a box: the box's
    // message; the sender waits while the box is open and ends once it is
    // closed.
    std::string ForwardWithBox(const std::string& arguments)
    {
        RunningProgram sender(arguments);
        HWND box = WaitForBox(ResidentId());
        EXPECT_NE(box, nullptr) << arguments;
        if (box == nullptr)
            return "<no box>";
        const std::string message = BoxMessage(box);
        EXPECT_FALSE(sender.WaitForExit(0)) << "the sender did not wait for the box";
        PostMessageA(box, WM_CLOSE, 0, 0);
        EXPECT_TRUE(sender.WaitForExit(SenderEndsMilliseconds));
        EXPECT_EQ(sender.ExitCode(), 0u);
        return message;
    }

    std::optional<ResidentTray> resident_ { std::in_place };
};

TEST_F(Forwarding, NoArgumentsSayThatTheProgramIsAlreadyInTheTray)
{
    ASSERT_NO_FATAL_FAILURE(resident_->Start());
    EXPECT_EQ(ForwardWithBox(""), AlreadyResident);
    EXPECT_EQ(CountTopLevelWindows(TrayClass), 1);
}

TEST_F(Forwarding, AnArgumentTooLongForAnAtomIsTakenAsNoArguments)
{
    ASSERT_NO_FATAL_FAILURE(resident_->Start());
    EXPECT_EQ(ForwardWithBox(std::string(300, 'a')), AlreadyResident);
    EXPECT_FALSE(resident_->Program().WaitForExit(0));
}

struct SwitchCase {
    std::string label;
    std::string startMode; // "ONOFF" before the resident start
    std::vector<std::string> forwarded;
    std::string saved; // "ONOFF" after the resident's exit
};

class ForwardedSwitch : public Forwarding, public ::testing::WithParamInterface<SwitchCase> { };

TEST_P(ForwardedSwitch, ChangesTheModeWithoutAMessage)
{
    SetSetting("ONOFF", GetParam().startMode);
    ASSERT_NO_FATAL_FAILURE(resident_->Start());
    for (const std::string& arguments : GetParam().forwarded)
        ASSERT_NO_FATAL_FAILURE(ForwardSilently(arguments));
    ASSERT_NO_FATAL_FAILURE(resident_->Close());
    EXPECT_EQ(ReadSetting("ONOFF"), GetParam().saved);
}

INSTANTIATE_TEST_SUITE_P(Forwarding, ForwardedSwitch,
    ::testing::Values(SwitchCase { "OffInCapitals", "0", { "/OFF" }, "-1" },
        SwitchCase { "DashOn", "-1", { "-on" }, "0" }, SwitchCase { "SlashNo", "-1", { "/no" }, "0" },
        SwitchCase { "OffThenNo", "0", { "/OFF", "/no" }, "0" },
        SwitchCase { "OnlyTheTextBeforeAQuestionMarkCounts", "0", { "/OFF?x" }, "-1" }),
    CaseLabel());

struct InvalidCase {
    std::string label;
    std::string arguments;
    std::string message;
};

class InvalidParameter : public Forwarding, public ::testing::WithParamInterface<InvalidCase> { };

TEST_P(InvalidParameter, IsReportedLowerCasedAndLeavesTheModeAlone)
{
    SetSetting("ONOFF", "0");
    ASSERT_NO_FATAL_FAILURE(resident_->Start());
    EXPECT_EQ(ForwardWithBox(GetParam().arguments), GetParam().message);
    ASSERT_NO_FATAL_FAILURE(resident_->Close());
    EXPECT_EQ(ReadSetting("ONOFF"), "0");
}

INSTANTIATE_TEST_SUITE_P(Forwarding, InvalidParameter,
    ::testing::Values(InvalidCase { "NoSwitch", "x", InvalidParameterLead + "x" },
        InvalidCase { "NoSwitchBeforeOff", "X /off", InvalidParameterLead + "x" },
        InvalidCase { "EmptyFirstArgument", "\"\" /off", InvalidParameterLead },
        InvalidCase { "JapaneseText", "テスト表", InvalidParameterLead + "テスト表" }),
    CaseLabel());

// A timed switch keeps the PC awake for its minute, then lets it rest.
TEST_F(Forwarding, AMinuteOfOffHoldsTheIdleTimeLowThenLetsItGrow)
{
    // Before the timer's second run, which ends it; then one tick period
    // plus room for a late timer message; then until it is past that.
    constexpr DWORD HeldMilliseconds = 55000;
    constexpr DWORD LongestIdleAllowed = 31500;
    constexpr DWORD RestingIdle = 35000;
    constexpr DWORD RestsMilliseconds = 70000;
    SetSetting("ONOFF", "0");
    ASSERT_NO_FATAL_FAILURE(resident_->Start());
    ASSERT_NO_FATAL_FAILURE(ForwardSilently("/OFF:1"));
    DWORD longest = 0;
    WaitUntil(
        [&] {
            longest = std::max(longest, IdleMilliseconds());
            return false;
        },
        HeldMilliseconds);
    EXPECT_LT(longest, LongestIdleAllowed);
    EXPECT_TRUE(WaitUntil([] { return IdleMilliseconds() > RestingIdle; }, RestsMilliseconds));
    EXPECT_FALSE(resident_->Program().WaitForExit(0));
}

TEST_F(Forwarding, TwelveStartsAtOnceAllEndAndLeaveOneTray)
{
    ASSERT_NO_FATAL_FAILURE(resident_->Start());
    std::list<RunningProgram> senders;
    for (const std::string& argument : MixedStarts)
        senders.emplace_back(argument);

    int mostBoxes = 0;
    bool oneTrayThroughout = true;
    const bool allEnded = WaitUntil(
        [&] {
            const std::vector<HWND> boxes = VisibleWindows(OptionBoxClass, ResidentId());
            mostBoxes = std::max(mostBoxes, static_cast<int>(boxes.size()));
            for (HWND box : boxes)
                PostMessageA(box, WM_CLOSE, 0, 0);
            oneTrayThroughout = oneTrayThroughout && CountTopLevelWindows(TrayClass) == 1;
            return std::all_of(
                senders.begin(), senders.end(), [](RunningProgram& sender) { return sender.WaitForExit(0); });
        },
        AllSendersEndMilliseconds);

    EXPECT_TRUE(allEnded);
    EXPECT_LE(mostBoxes, OptionBoxSlots);
    for (const RunningProgram& sender : senders)
        EXPECT_EQ(sender.ExitCode(), 0u);
    EXPECT_FALSE(resident_->Program().WaitForExit(0));
    EXPECT_TRUE(oneTrayThroughout);
    EXPECT_EQ(CountTopLevelWindows(TrayClass), 1);
}

TEST_F(Forwarding, StartsWhileBoxesAreOpenNestUpToTenBoxesAndTheRestEndAtOnce)
{
    ASSERT_NO_FATAL_FAILURE(resident_->Start());
    std::list<RunningProgram> senders;
    int boxesBefore = 0;
    for (const std::string& argument : MixedStarts) {
        RunningProgram& sender = senders.emplace_back(argument);
        // Each start is handled inside the box of the one before: it has
        // arrived once its own box is up or once it has ended.
        std::vector<HWND> boxes;
        ASSERT_TRUE(WaitUntil(
            [&] {
                boxes = VisibleWindows(OptionBoxClass, ResidentId());
                return static_cast<int>(boxes.size()) > boxesBefore || sender.WaitForExit(0);
            },
            WindowAppearsMilliseconds))
            << "start " << senders.size() << " with \"" << argument << "\"";
        // Paused, the boxes wait for the slow starts of the later ones.
        for (HWND box : boxes)
            PauseCountdown(box);
        const int boxCount = static_cast<int>(boxes.size());
        if (boxCount == boxesBefore) {
            EXPECT_TRUE(argument == "/off" || boxCount == OptionBoxSlots) << argument;
            EXPECT_EQ(sender.ExitCode(), 0u);
        }
        ASSERT_LE(boxCount, OptionBoxSlots);
        boxesBefore = boxCount;
    }
    EXPECT_EQ(boxesBefore, OptionBoxSlots);

    const bool allEnded = WaitUntil(
        [&] {
            for (HWND box : VisibleWindows(OptionBoxClass, ResidentId()))
                PostMessageA(box, WM_CLOSE, 0, 0);
            return std::all_of(
                senders.begin(), senders.end(), [](RunningProgram& sender) { return sender.WaitForExit(0); });
        },
        AllSendersEndMilliseconds);
    EXPECT_TRUE(allEnded);
    for (const RunningProgram& sender : senders)
        EXPECT_EQ(sender.ExitCode(), 0u);
    EXPECT_EQ(CountTopLevelWindows(TrayClass), 1);
    ASSERT_NO_FATAL_FAILURE(resident_->Close());
    EXPECT_EQ(ReadSetting("ONOFF"), "-1");
}

TEST_F(Forwarding, ABoxWhoseCountRanOutUnderALaterOneClosesWithIt)
{
    ASSERT_NO_FATAL_FAILURE(resident_->Start());
    RunningProgram first("");
    HWND outer = WaitForBox(ResidentId());
    ASSERT_NE(outer, nullptr);
    RunningProgram second("x");
    HWND inner = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
            for (HWND box : VisibleWindows(OptionBoxClass, ResidentId()))
                if (box != outer)
                    inner = box;
            return inner != nullptr;
        },
        BoxAppearsMilliseconds));
    ASSERT_TRUE(PauseCountdown(inner));

    // The outer box's own ten seconds run out while the inner one is open.
    ASSERT_TRUE(
        WaitUntil([&] { return ("\n" + StaticTexts(outer) + "\n").find("\n0秒\n") != std::string::npos; },
            CountdownEndsMilliseconds))
        << StaticTexts(outer);
    EXPECT_TRUE(IsWindowVisible(outer));
    EXPECT_FALSE(first.WaitForExit(0));

    PostMessageA(inner, WM_CLOSE, 0, 0);
    ASSERT_TRUE(second.WaitForExit(SenderEndsMilliseconds));
    EXPECT_TRUE(first.WaitForExit(OuterBoxFollowsMilliseconds))
        << "the outer box stayed up after its count ran out";
    EXPECT_EQ(first.ExitCode(), 0u);
}

TEST_F(Forwarding, APressOnTheIconWhileAForwardedBoxIsOpenOpensNoMenu)
{
    ASSERT_NO_FATAL_FAILURE(resident_->Start());
    PointPresses& icon = resident_->Icon();

    RunningProgram sender("");
    HWND box = WaitForBox(ResidentId());
    ASSERT_NE(box, nullptr);
    for (const MouseButton button : { MouseButton::Right, MouseButton::Left }) {
        ASSERT_TRUE(icon.Press(button));
        HWND menu = WaitForMenu(ResidentId(), NothingOpensMilliseconds);
        EXPECT_EQ(menu, nullptr) << "a menu opened at " << Placement(menu) << " for button "
                                 << static_cast<int>(button);
    }
    EXPECT_TRUE(IsWindowVisible(box));
    PostMessageA(box, WM_CLOSE, 0, 0);
    ASSERT_TRUE(sender.WaitForExit(SenderEndsMilliseconds));

    // The same press opens the menu once the box is gone.
    ASSERT_TRUE(icon.Press(MouseButton::Right));
    HWND menu = WaitForMenu(ResidentId());
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(PressKey(VK_ESCAPE));
    EXPECT_TRUE(WaitUntilGone(MenuClass, SenderEndsMilliseconds, ResidentId()));
}

} // namespace
