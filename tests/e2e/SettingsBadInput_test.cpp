#include "CaseLabel.h"
#include "Program.h"
#include "Resident.h"
#include "SavedSettings.h"
#include "SettingsRegistry.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>

namespace {

enum class BadKind { Binary, Dword, EmptyText, HugeText, TrailingLetter };

// For each tray value a content that differs from its fallback, so that a
// reader that took a wrong type or a text's leading digits would save
// something else.
std::string Tempting(const std::string& name)
{
    if (name == "ONOFF")
        return "0";
    if (name == "START")
        return "1";
    if (name == "HOZON")
        return "0";
    return "7";
}

RawValue BadValue(const std::string& name, BadKind kind)
{
    const std::string tempting = Tempting(name);
    switch (kind) {
    case BadKind::Binary:
        return BinaryValue(tempting);
    case BadKind::Dword:
        return DwordValue(static_cast<DWORD>(std::stoul(tempting)));
    case BadKind::EmptyText:
        return { REG_SZ, std::string(1, '\0') };
    case BadKind::HugeText:
        return HugeDigitString();
    case BadKind::TrailingLetter:
        return { REG_SZ, tempting + "x" + '\0' };
    }
    return {};
}

const char* KindName(BadKind kind)
{
    switch (kind) {
    case BadKind::Binary:
        return "Binary";
    case BadKind::Dword:
        return "Dword";
    case BadKind::EmptyText:
        return "EmptyText";
    case BadKind::HugeText:
        return "HugeText";
    case BadKind::TrailingLetter:
        return "TrailingLetter";
    }
    return "";
}

using BadTrayValueCase = std::tuple<std::string, BadKind>;

class BadTrayValue : public FreshSettings, public ::testing::WithParamInterface<BadTrayValueCase> { };

TEST_P(BadTrayValue, IsReadAsItsFallbackAndSavedBackSo)
{
    const auto& [name, kind] = GetParam();
    SetSetting("Version", "14");
    // "HOZON" decides the start mode only while "START" is ticked; then its
    // fallback (ticked) shows in the saved mode as well.
    if (name == "HOZON")
        SetSetting("START", "1");
    SetSettingRaw(name, BadValue(name, kind));

    RunTrayUntilClosed("");

    SavedSettings expected = DefaultSettings;
    if (name == "HOZON")
        expected.start = "1";
    ExpectSaved(expected);
}

INSTANTIATE_TEST_SUITE_P(SettingsBadInput, BadTrayValue,
    ::testing::Combine(::testing::Values("ONOFF", "START", "HOZON", "MYSOFT"),
        ::testing::Values(
            BadKind::Binary, BadKind::Dword, BadKind::EmptyText, BadKind::HugeText, BadKind::TrailingLetter)),
    [](const auto& testInfo) { return std::get<0>(testInfo.param) + KindName(std::get<1>(testInfo.param)); });

struct PathValueCase {
    const char* label;
    const char* keyPath;
    const char* name;
    RawValue value;
};

// Values read only to build shortcut paths; the Shell Folders values belong
// to the session and are put back after each test.
class BadPathValue : public FreshSettings, public ::testing::WithParamInterface<PathValueCase> {
protected:
    void SetUp() override
    {
        FreshSettings::SetUp();
        original_ = ReadRaw(GetParam().keyPath, GetParam().name);
    }

    void TearDown() override
    {
        if (original_)
            SetRaw(GetParam().keyPath, GetParam().name, *original_);
        else
            DeleteValue(GetParam().keyPath, GetParam().name);
        FreshSettings::TearDown();
    }

private:
    std::optional<RawValue> original_;
};

TEST_P(BadPathValue, LeavesTheProgramRunningAndClosingNormally)
{
    SetSetting("Version", "14");
    SetRaw(GetParam().keyPath, GetParam().name, GetParam().value);

    RunTrayUntilClosed("");

    ExpectSaved(DefaultSettings);
}

INSTANTIATE_TEST_SUITE_P(SettingsBadInput, BadPathValue,
    ::testing::Values(PathValueCase { "GroupDword", SettingsKeyPath, "Group", DwordValue(1) },
        PathValueCase { "GroupHuge", SettingsKeyPath, "Group", HugeDigitString() },
        PathValueCase { "ProgramsDword", ShellFoldersKeyPath, "Programs", DwordValue(1) },
        PathValueCase { "ProgramsHuge", ShellFoldersKeyPath, "Programs", HugeDigitString() },
        PathValueCase { "DesktopDword", ShellFoldersKeyPath, "Desktop", DwordValue(1) },
        PathValueCase { "DesktopHuge", ShellFoldersKeyPath, "Desktop", HugeDigitString() },
        PathValueCase { "StartupDword", ShellFoldersKeyPath, "Startup", DwordValue(1) },
        PathValueCase { "StartupHuge", ShellFoldersKeyPath, "Startup", HugeDigitString() }),
    CaseLabel());

} // namespace
