#include "Observe.h"
#include "Program.h"
#include "Resident.h"
#include "SavedSettings.h"
#include "SettingsRegistry.h"
#include "StartupFolder.h"
#include "TempFolder.h"
#include "TrayDriving.h"
#include "TrayIconSlots.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr char MapGroupsKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MapGroups";
constexpr std::size_t OneMegabyte = 1024 * 1024;
const std::string StartupGroupUnknown = "ｱｲｺﾝ:スタートアップグループが不明ですので アイコン登録出来ません";
// The access key of the full menu's Startup item while no Startup shortcut
// exists.
constexpr WORD StartupItemKey = 'S';

// What a hand-edited or damaged registry may hold in place of a string.
enum class Garbage { HugeDigits, HugeBinary, HugeMultiString, Dword, EmptyString, EmptyBinary };

const std::vector<Garbage> EveryGarbage { Garbage::HugeDigits, Garbage::HugeBinary, Garbage::HugeMultiString,
    Garbage::Dword, Garbage::EmptyString, Garbage::EmptyBinary };

std::string GarbageName(Garbage kind)
{
    switch (kind) {
    case Garbage::HugeDigits:
        return "HugeDigits";
    case Garbage::HugeBinary:
        return "HugeBinary";
    case Garbage::HugeMultiString:
        return "HugeMultiString";
    case Garbage::Dword:
        return "Dword";
    case Garbage::EmptyString:
        return "EmptyString";
    case Garbage::EmptyBinary:
        return "EmptyBinary";
    }
    return "";
}

// A value of 1 MB or an empty one.  The values of the wrong type begin
// with `tempting`, a text that differs from the fallback, followed by a
// NUL: a reader that ignored the type would take it and act on it.
RawValue GarbageValue(Garbage kind, const std::string& tempting, DWORD temptingNumber)
{
    const auto padded = [&](std::string bytes) {
        bytes.resize(OneMegabyte, '\0');
        return bytes;
    };
    switch (kind) {
    case Garbage::HugeDigits:
        return { REG_SZ, std::string(OneMegabyte - 1, '9') + '\0' };
    case Garbage::HugeBinary:
        return BinaryValue(padded(tempting + '\0'));
    case Garbage::HugeMultiString:
        return { REG_MULTI_SZ,
            padded(tempting + '\0' + std::string(OneMegabyte - tempting.size() - 3, '9')) };
    case Garbage::Dword:
        return DwordValue(temptingNumber);
    case Garbage::EmptyString:
        return { REG_SZ, std::string(1, '\0') };
    case Garbage::EmptyBinary:
        return BinaryValue("");
    }
    return {};
}

struct ValueSlot {
    const char* keyPath;
    const char* name;
};

// Fresh settings, and the session's own values that a test overwrites put
// back afterwards.
class RegistryGarbage : public FreshSettings {
protected:
    void TearDown() override
    {
        for (const auto& [slot, original] : originals_) {
            if (original)
                SetRaw(slot.keyPath, slot.name, *original);
            else
                DeleteValue(slot.keyPath, slot.name);
        }
        FreshSettings::TearDown();
    }

    void Store(const ValueSlot& slot, const RawValue& value)
    {
        if (std::string(slot.keyPath) != SettingsKeyPath)
            originals_.emplace_back(slot, ReadRaw(slot.keyPath, slot.name));
        SetRaw(slot.keyPath, slot.name, value);
    }

    // Starts the tray program, opens its full menu from the icon (which
    // makes it look at every path and at "Version") and leaves it with
    // `key`.
    void StartAndUseTheFullMenu(RunningProgram& program, HWND& tray, WORD key = VK_ESCAPE)
    {
        tray = WaitForSettledTray(program);
        ASSERT_NE(tray, nullptr);
        const std::optional<POINT> square = TrayIconSlotPoint(0);
        ASSERT_TRUE(square.has_value()) << "no taskbar in this prefix";
        icon_.emplace(*square);
        ASSERT_TRUE(icon_->RightPressOpensMenu(program.Id(), MenuAppearsMilliseconds, key));
    }

    void CloseNormally(HWND tray, RunningProgram& program)
    {
        ASSERT_TRUE(CloseAndWaitForExit(tray, program));
        EXPECT_EQ(program.ExitCode(), 0u);
    }

    std::optional<TrayIconSlot> icon_;

private:
    std::vector<std::pair<ValueSlot, std::optional<RawValue>>> originals_;
};

class GarbageKind : public RegistryGarbage, public ::testing::WithParamInterface<Garbage> { };

std::string KindLabel(const ::testing::TestParamInfo<Garbage>& info)
{
    return GarbageName(info.param);
}

using TrayValues = GarbageKind;

// All four at once: each one's fallback shows in what is saved, and a
// misread "START" or "HOZON" would change the saved mode as well.
TEST_P(TrayValues, TakeTheirFallbacksAndAreSavedSo)
{
    SetSetting("Version", "14");
    Store({ SettingsKeyPath, "ONOFF" }, GarbageValue(GetParam(), "0", 0));
    Store({ SettingsKeyPath, "START" }, GarbageValue(GetParam(), "1", 1));
    Store({ SettingsKeyPath, "HOZON" }, GarbageValue(GetParam(), "0", 0));
    Store({ SettingsKeyPath, "MYSOFT" }, GarbageValue(GetParam(), "7", 7));

    ASSERT_NO_FATAL_FAILURE(RunTrayUntilClosed(""));

    ExpectSaved(DefaultSettings);
}

INSTANTIATE_TEST_SUITE_P(RegistryGarbage, TrayValues, ::testing::ValuesIn(EveryGarbage), KindLabel);

using PathValues = GarbageKind;

TEST_P(PathValues, LeaveTheMenuWorkingAndTheProgramClosingNormally)
{
    SetSetting("Version", "14");
    Store({ SettingsKeyPath, "Group" }, GarbageValue(GetParam(), "Group", 1));
    for (const char* name : { "Programs", "Desktop", "Startup" })
        Store({ ShellFoldersKeyPath, name }, GarbageValue(GetParam(), "C:\\", 1));

    RunningProgram program("");
    HWND tray = nullptr;
    ASSERT_NO_FATAL_FAILURE(StartAndUseTheFullMenu(program, tray));
    ASSERT_NO_FATAL_FAILURE(CloseNormally(tray, program));

    ExpectSaved(DefaultSettings);
}

INSTANTIATE_TEST_SUITE_P(RegistryGarbage, PathValues, ::testing::ValuesIn(EveryGarbage), KindLabel);

TEST_F(RegistryGarbage, VersionChangedUnderTheMenuOnlyChangesTheHelpCaption)
{
    SetSetting("Version", "14");
    RunningProgram program("");
    HWND tray = nullptr;
    ASSERT_NO_FATAL_FAILURE(StartAndUseTheFullMenu(program, tray));
    for (Garbage kind : EveryGarbage) {
        SCOPED_TRACE(GarbageName(kind));
        SetSettingRaw("Version", GarbageValue(kind, "14", 14));
        EXPECT_TRUE(icon_->RightPressOpensMenu(program.Id()));
    }
    ASSERT_NO_FATAL_FAILURE(CloseNormally(tray, program));
    ExpectSaved(DefaultSettings);
}

using EntryVersion = GarbageKind;

// Missing and empty count as not installed; text that is no number and
// values of another type end the start with an error box.
bool ReadsAsEmpty(Garbage kind)
{
    return kind == Garbage::EmptyString || kind == Garbage::EmptyBinary;
}

TEST_P(EntryVersion, GivesTheSetupWindowWhenEmptyAndTheErrorBoxOtherwise)
{
    Store({ SettingsKeyPath, "Version" }, GarbageValue(GetParam(), "14", 14));
    RunningProgram program("");

    if (ReadsAsEmpty(GetParam())) {
        HWND setup = WaitForStartedWindow(SetupClass, program);
        ASSERT_NE(setup, nullptr);
        EXPECT_EQ(CountTopLevelWindows(TrayClass), 0);
        ASSERT_TRUE(CloseAndWaitForExit(setup, program));
        EXPECT_EQ(program.ExitCode(), 0u);
        return;
    }

    bool mainWindowSeen = false;
    HWND box = nullptr;
    WaitUntil(
        [&] {
            mainWindowSeen = mainWindowSeen || CountTopLevelWindows(TrayClass) != 0
                || CountTopLevelWindows(SetupClass) != 0;
            box = FindTopLevelWindow(DialogBoxClass, program.Id());
            return box != nullptr && IsWindowVisible(box);
        },
        WindowAppearsMilliseconds);
    ASSERT_NE(box, nullptr) << "no error box";
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(program.WaitForExit(ProcessEndsMilliseconds));
    EXPECT_EQ(program.ExitCode(), 0u);
    EXPECT_FALSE(mainWindowSeen);
    EXPECT_EQ(CountTopLevelWindows(TrayClass), 0);
    EXPECT_EQ(CountTopLevelWindows(SetupClass), 0);
}

INSTANTIATE_TEST_SUITE_P(RegistryGarbage, EntryVersion, ::testing::ValuesIn(EveryGarbage), KindLabel);

using StartupGroup = GarbageKind;

// The Startup group's name is read only when the Startup item is chosen.
// The system's Startup folder lies outside its Programs folder, so that an
// empty value, which leaves the name to that folder, names none either.
TEST_P(StartupGroup, IsReportedUnknownAndNeverEndsTheProgram)
{
    SetSetting("Version", "14");
    Store({ MapGroupsKeyPath, "StartUp" }, GarbageValue(GetParam(), "スタートアップ", 1));
    const TempFolder startupParent;
    ASSERT_TRUE(CreateDirectoryA((startupParent / "StartUp").c_str(), nullptr));
    const StartupFolderElsewhere startup(startupParent / "StartUp");

    RunningProgram program("");
    HWND tray = nullptr;
    ASSERT_NO_FATAL_FAILURE(StartAndUseTheFullMenu(program, tray, StartupItemKey));

    HWND box = WaitForBox(program.Id());
    ASSERT_NE(box, nullptr) << "no message";
    EXPECT_EQ(BoxMessage(box), StartupGroupUnknown);
    PostMessageA(box, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntilGone(OptionBoxClass, BoxAppearsMilliseconds, program.Id()));
    // The menu opens again only once the command is over.
    EXPECT_TRUE(icon_->RightPressOpensMenu(program.Id()));
    ASSERT_NO_FATAL_FAILURE(CloseNormally(tray, program));
    ExpectSaved(DefaultSettings);
}

// A name of 1 MB can be no group: it is reported as unknown rather than
// sent to Program Manager, whose server (Wine's shell, which also runs the
// task tray) stops answering over a command of that size.
INSTANTIATE_TEST_SUITE_P(RegistryGarbage, StartupGroup, ::testing::ValuesIn(EveryGarbage), KindLabel);

} // namespace
