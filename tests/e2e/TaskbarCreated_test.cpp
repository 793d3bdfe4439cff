#include "Observe.h"
#include "Program.h"
#include "Resident.h"
#include "SavedSettings.h"
#include "SettingsRegistry.h"
#include "TrayDriving.h"
#include "TrayIconSlots.h"

#include <gtest/gtest.h>

#include <optional>

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

} // namespace
