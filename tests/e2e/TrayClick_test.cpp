#include "CaseLabel.h"
#include "Observe.h"
#include "Program.h"
#include "Resident.h"
#include "SavedSettings.h"
#include "SettingsRegistry.h"
#include "TempFolder.h"
#include "TrayDriving.h"

#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>

namespace {

// A menu opens where the press was, moved only as far as it takes to keep
// it on the screen and off the taskbar.
constexpr int MenuNearCursorPixels = 40;
// Past one keep-awake period of 30 s with room to spare: an idle time this
// long shows that no tick came.
constexpr DWORD IdleToReach = 35000;
constexpr DWORD IdleWatchMilliseconds = 45000;
constexpr DWORD OwnInputSettledMilliseconds = 2000;

// A resident tray program over fresh settings, its icon in the taskbar.
class TrayClick : public FreshSettings {
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

    std::optional<ResidentTray> resident_ { std::in_place };
};

TEST_F(TrayClick, PressesOpenTheirMenusAtTheCursorAndEscapeClosesThemUnused)
{
    ASSERT_NO_FATAL_FAILURE(resident_->Start());

    HWND full = resident_->OpenMenu(MouseButton::Right);
    ASSERT_NE(full, nullptr) << "a right press opened no menu";
    EXPECT_LE(DistanceOutside(full, resident_->Icon().Point()), MenuNearCursorPixels);
    const int fullHeight = Height(full);
    ASSERT_TRUE(PressKey(VK_ESCAPE));
    ASSERT_TRUE(resident_->MenuCloses());

    HWND shortMenu = resident_->OpenMenu(MouseButton::Left);
    ASSERT_NE(shortMenu, nullptr) << "a left press opened no menu";
    EXPECT_LE(DistanceOutside(shortMenu, resident_->Icon().Point()), MenuNearCursorPixels);
    EXPECT_LT(Height(shortMenu), fullHeight);
    ASSERT_TRUE(PressKey(VK_ESCAPE));
    ASSERT_TRUE(resident_->MenuCloses());

    ASSERT_TRUE(resident_->Icon().Press(MouseButton::Middle));
    EXPECT_EQ(WaitForMenu(resident_->Id(), NothingOpensMilliseconds), nullptr);
    EXPECT_EQ(CountTopLevelWindows(TrayClass), 1);

    ASSERT_NO_FATAL_FAILURE(resident_->Close());
    ExpectSaved(DefaultSettings);
}

TEST_F(TrayClick, ExitOnTheFullMenuEndsTheProgramAndSavesItsSettings)
{
    ASSERT_NO_FATAL_FAILURE(resident_->Start());
    ASSERT_FALSE(ReadSetting("ONOFF").has_value());

    ASSERT_NO_FATAL_FAILURE(resident_->Choose(MouseButton::Right, 'X'));
    ASSERT_TRUE(resident_->Program().WaitForExit(ProcessEndsMilliseconds));
    EXPECT_EQ(resident_->Program().ExitCode(), 0u);
    EXPECT_EQ(CountTopLevelWindows(TrayClass), 0);
    ExpectSaved(DefaultSettings);
}

TEST_F(TrayClick, OnFromTheShortMenuStopsTheKeepAwakeTicks)
{
    ASSERT_NO_FATAL_FAILURE(resident_->Start());
    ASSERT_NO_FATAL_FAILURE(resident_->Choose(MouseButton::Left, 'N'));
    // The pointer left resting on the icon brings up the shell's tooltip,
    // and a window coming and going under the pointer can count as input
    // (the likely source of one reset seen on a loaded machine); the watch
    // starts with the pointer away, once the test's own input has died
    // down.
    ASSERT_TRUE(MovePointer(AwayFromMenusPoint));
    ASSERT_TRUE(
        WaitUntil([] { return IdleMilliseconds() > OwnInputSettledMilliseconds; }, IdleWatchMilliseconds));

    DWORD previous = IdleMilliseconds();
    bool reset = false;
    const bool reached = WaitUntil(
        [&] {
            const DWORD idle = IdleMilliseconds();
            reset = reset || idle < previous;
            previous = idle;
            return idle > IdleToReach;
        },
        IdleWatchMilliseconds);
    EXPECT_TRUE(reached) << "idle time reached only " << previous << " ms";
    EXPECT_FALSE(reset);

    ASSERT_NO_FATAL_FAILURE(resident_->Close());
    ExpectSaved({ "0", "0", "1", "0" });
}

struct IconSetCase {
    std::string label;
    std::optional<std::string> mysoft; // "MYSOFT" before the start
    WORD key;
    std::string saved;
};

class IconSetKey : public TrayClick, public ::testing::WithParamInterface<IconSetCase> { };

TEST_P(IconSetKey, ChoosesTheIconSetSavedAtExit)
{
    if (GetParam().mysoft)
        SetSetting("MYSOFT", *GetParam().mysoft);
    ASSERT_NO_FATAL_FAILURE(resident_->Start());
    ASSERT_NO_FATAL_FAILURE(resident_->Choose(MouseButton::Right, GetParam().key));
    ASSERT_NO_FATAL_FAILURE(resident_->Close());
    EXPECT_EQ(ReadSetting("MYSOFT"), GetParam().saved);
}

INSTANTIATE_TEST_SUITE_P(TrayClick, IconSetKey,
    ::testing::Values(
        IconSetCase { "OwnIcons", std::nullopt, '0', "-1" }, IconSetCase { "TrayPictures", "-1", '1', "0" }),
    CaseLabel());

TEST_F(TrayClick, StartOptionsToggleFromTheKeyboardOnlyWhileEnabled)
{
    ASSERT_NO_FATAL_FAILURE(resident_->Start());

    // "Always off" is greyed while automatic start is off: its key closes
    // the menu and chooses nothing.
    ASSERT_NO_FATAL_FAILURE(resident_->Choose(MouseButton::Right, 'C'));

    ASSERT_NO_FATAL_FAILURE(resident_->Choose(MouseButton::Right, 'A'));
    ASSERT_NO_FATAL_FAILURE(resident_->Choose(MouseButton::Right, 'C'));
    ASSERT_NO_FATAL_FAILURE(resident_->Close());
    ExpectSaved({ "-1", "1", "0", "0" });
}

// What a stand-in wrote beside itself; empty while it has written nothing.
std::string RecordedCommandLine(const std::string& program)
{
    try {
        return ReadWholeFile(program + ".cmdline");
    } catch (const std::runtime_error&) {
        return {};
    }
}

// The screen-saver item starts rundll32.exe from the system folder, at the
// screen-saver page: stand-ins lying beside the program and in its current
// folder stay unused, and the one in place of the system's records its
// command line.  Wine runs its own rundll32 in place of any file of that
// name unless the prefix says otherwise.
TEST_F(TrayClick, ScreenSaverItemStartsOnlyTheSystemsRundll32AtItsPage)
{
    const std::string recorder = WindowsPathFromEnvironment("DRIM_COMMAND_RECORDER");
    char systemFolder[MAX_PATH] = {};
    ASSERT_NE(GetSystemDirectoryA(systemFolder, MAX_PATH), 0u);
    const std::string system = std::string(systemFolder) + "\\rundll32.exe";
    const std::string systemsOwn = system + ".own";
    SetString("Software\\Wine\\DllOverrides", "rundll32.exe", "native");
    ASSERT_TRUE(MoveFileExA(system.c_str(), systemsOwn.c_str(), MOVEFILE_REPLACE_EXISTING));
    ASSERT_TRUE(CopyFileA(recorder.c_str(), system.c_str(), FALSE));
    const TempFolder programFolder;
    const TempFolder currentFolder;
    ASSERT_TRUE(CopyFileA(ProgramPath().c_str(), (programFolder / "DRIM32.EXE").c_str(), FALSE));
    for (const TempFolder* planted : { &programFolder, &currentFolder })
        ASSERT_TRUE(CopyFileA(recorder.c_str(), (*planted / "rundll32.exe").c_str(), FALSE));

    char testsFolder[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, testsFolder);
    SetCurrentDirectoryA(currentFolder.Path().c_str());
    resident_->Start("", programFolder / "DRIM32.EXE");
    SetCurrentDirectoryA(testsFolder);
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_NO_FATAL_FAILURE(resident_->Choose(MouseButton::Right, 'G'));

    EXPECT_TRUE(WaitUntil([&] { return !RecordedCommandLine(system).empty(); }, WindowAppearsMilliseconds));
    EXPECT_EQ(RecordedCommandLine(system), "\"" + system + "\" shell32.dll,Control_RunDLL DESK.CPL,,1");
    EXPECT_EQ(RecordedCommandLine(programFolder / "rundll32.exe"), "");
    EXPECT_EQ(RecordedCommandLine(currentFolder / "rundll32.exe"), "");
    ASSERT_NO_FATAL_FAILURE(resident_->Close());

    DeleteFileA((system + ".cmdline").c_str());
    EXPECT_TRUE(MoveFileExA(systemsOwn.c_str(), system.c_str(), MOVEFILE_REPLACE_EXISTING));
    DeleteValue("Software\\Wine\\DllOverrides", "rundll32.exe");
}

} // namespace
