#include "Observe.h"
#include "Program.h"
#include "Resident.h"
#include "SettingsRegistry.h"
#include "TrayDriving.h"
#include "TrayIconSlots.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <list>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int Senders = 30;
// The option box has ten slots; a call finding them all busy shows nothing.
constexpr int OptionBoxSlots = 10;
// Thirty Wine processes started at once on a machine of two cores, each
// waiting until its box is closed: the bound stated for the last of them.
constexpr DWORD AllSendersEndMilliseconds = 120000;
// Boxes are left to pile up while they keep coming; once none has come
// for this long, or every slot is taken, the open ones are closed.
constexpr DWORD BoxesQuietMilliseconds = 3000;

// Every kind of second start: the no-argument greeting, both switches, a
// word that is no switch, Japanese text, an empty first argument before a
// switch, and a text too long for an atom.
const std::vector<std::string> ArgumentKinds {
    "",
    "/off",
    "/on",
    "x",
    "テスト表",
    "\"\" /off",
    std::string(300, 'a'),
};

// A resident tray program over fresh settings, and a storm of second starts
// sent to it.
class ForwardingStorm : public FreshSettings {
protected:
    void SetUp() override
    {
        FreshSettings::SetUp();
        SetSetting("Version", "14");
        resident_.emplace("");
        tray_ = WaitForSettledTray(*resident_);
        ASSERT_NE(tray_, nullptr);
    }

    void TearDown() override
    {
        for (HWND box : TopLevelWindows(OptionBoxClass, resident_->Id()))
            PostMessageA(box, WM_CLOSE, 0, 0);
        if (!resident_->WaitForExit(0)) {
            EXPECT_TRUE(CloseAndWaitForExit(tray_, *resident_));
        }
        resident_.reset();
        FreshSettings::TearDown();
    }

    int OpenBoxes() const { return CountTopLevelWindows(OptionBoxClass, resident_->Id()); }

    void CloseOpenBoxes() const
    {
        for (HWND box : TopLevelWindows(OptionBoxClass, resident_->Id()))
            PostMessageA(box, WM_CLOSE, 0, 0);
    }

    std::optional<RunningProgram> resident_;
    HWND tray_ = nullptr;
};

TEST_F(ForwardingStorm, ThirtyStartsAtOnceAllEndAndTheLastSwitchAfterThemHolds)
{
    std::list<RunningProgram> senders;
    for (int i = 0; i < Senders; ++i)
        senders.emplace_back(ArgumentKinds[static_cast<std::size_t>(i) % ArgumentKinds.size()]);

    int mostBoxes = 0;
    int boxesBefore = 0;
    DWORD lastChange = GetTickCount();
    bool oneTrayThroughout = true;
    const bool allEnded = WaitUntil(
        [&] {
            const int boxes = OpenBoxes();
            mostBoxes = std::max(mostBoxes, boxes);
            oneTrayThroughout = oneTrayThroughout && CountTopLevelWindows(TrayClass) == 1;
            if (boxes != boxesBefore) {
                boxesBefore = boxes;
                lastChange = GetTickCount();
            }
            if (boxes >= OptionBoxSlots
                || (boxes > 0 && GetTickCount() - lastChange > BoxesQuietMilliseconds))
                CloseOpenBoxes();
            return std::all_of(
                senders.begin(), senders.end(), [](RunningProgram& sender) { return sender.WaitForExit(0); });
        },
        AllSendersEndMilliseconds);

    ASSERT_TRUE(allEnded) << "not every sender ended within " << AllSendersEndMilliseconds << " ms";
    int senderIndex = 0;
    for (const RunningProgram& sender : senders)
        EXPECT_EQ(sender.ExitCode(), 0u) << "sender " << senderIndex++;
    EXPECT_LE(mostBoxes, OptionBoxSlots);
    RecordProperty("most_boxes_at_once", mostBoxes);
    EXPECT_TRUE(oneTrayThroughout);
    EXPECT_FALSE(resident_->WaitForExit(0));
    EXPECT_EQ(CountTopLevelWindows(TrayClass), 1);
    EXPECT_TRUE(WaitUntilGone(OptionBoxClass, BoxAppearsMilliseconds, resident_->Id()));

    // Started once every other one has ended, so that its switch is the
    // last one applied whatever order the storm came in.
    RunningProgram last("/on");
    ASSERT_TRUE(last.WaitForExit(ProcessEndsMilliseconds));
    EXPECT_EQ(last.ExitCode(), 0u);
    EXPECT_EQ(OpenBoxes(), 0);

    const std::optional<POINT> firstSquare = TrayIconSlotPoint(0);
    const std::optional<POINT> secondSquare = TrayIconSlotPoint(1);
    ASSERT_TRUE(firstSquare && secondSquare) << "no taskbar in this prefix";
    EXPECT_TRUE(TrayIconSlot(*firstSquare).RightPressOpensMenu(resident_->Id()))
        << "the icon is not in the tray";
    EXPECT_FALSE(TrayIconSlot(*secondSquare).RightPressOpensMenu(resident_->Id(), NothingOpensMilliseconds))
        << "a second icon of the program is in the tray";

    ASSERT_TRUE(CloseAndWaitForExit(tray_, *resident_));
    EXPECT_EQ(resident_->ExitCode(), 0u);
    EXPECT_EQ(ReadSetting("ONOFF"), "0");
}

} // namespace
