// The settings as read from any registry contents: the tray values with
// their defaults and fallbacks, the values written back at exit, the
// installed version and the help item's caption, and the shortcut paths.
// Fields in order: ONOFF, START, HOZON, MYSOFT, Version, Programs, Desktop,
// Startup, Group (each in FieldValue's form), then the item title.

#include "program/ProgramValues.h"
#include "program/RegistryNames.h"
#include "tests/fuzz/FuzzCheck.h"
#include "text/YeNADDCUT.h"
#include "tray/Settings.h"

namespace {

constexpr std::size_t FieldCount = 10;

bool IsMissingOrEmpty(const SettingValue& value)
{
    return value.kind == SettingValue::Kind::Missing
        || (value.kind == SettingValue::Kind::Text && value.text.empty());
}

std::int32_t ExpectedTrayInt(const SettingValue& value, std::int32_t defaultValue, std::int32_t fallback)
{
    if (IsMissingOrEmpty(value))
        return defaultValue;
    if (value.kind == SettingValue::Kind::WrongType)
        return fallback;
    return ParseSettingInt(value.text).value_or(fallback);
}

bool operator==(const TraySettings& a, const TraySettings& b)
{
    return a.keepAwakeMode == b.keepAwakeMode && a.startTicked == b.startTicked
        && a.offAtStartTicked == b.offAtStartTicked && a.offAtStartEnabled == b.offAtStartEnabled
        && a.mySoft == b.mySoft;
}

TraySettings CheckTraySettings(const SettingValue& onoff, const SettingValue& start,
    const SettingValue& hozon, const SettingValue& mysoft)
{
    const TraySettings settings = LoadTraySettings(onoff, start, hozon, mysoft);
    FUZZ_REQUIRE(settings.startTicked == (ExpectedTrayInt(start, 0, 0) != 0));
    FUZZ_REQUIRE(settings.offAtStartEnabled == settings.startTicked);
    FUZZ_REQUIRE(settings.offAtStartTicked == (ExpectedTrayInt(hozon, 1, 1) != 0));
    if (settings.startTicked)
        FUZZ_REQUIRE(settings.keepAwakeMode == (settings.offAtStartTicked ? -1 : 0));
    else
        FUZZ_REQUIRE(settings.keepAwakeMode == ExpectedTrayInt(onoff, 1, -1));
    FUZZ_REQUIRE(settings.mySoft == ExpectedTrayInt(mysoft, 0, 0));
    return settings;
}

// What is written at exit loads back as the same settings.
void CheckSaveLoadsBack(const TraySettings& settings)
{
    const auto saved = TraySettingsToSave(settings.keepAwakeMode, settings);
    FUZZ_REQUIRE(saved.size() == 6);
    FUZZ_REQUIRE(saved[0].first == ValueOnOff && saved[1].first == ValueHozon && saved[2].first == ValueStart
        && saved[3].first == ValueMySoft && saved[4].first == ValueAcOnly && saved[5].first == ValueWatch);
    FUZZ_REQUIRE(LoadMainsOnly(SettingValue::Text(saved[4].second)) == settings.mainsOnly);
    FUZZ_REQUIRE(saved[5].second == WatchListText(settings.watch));
    const TraySettings reloaded
        = LoadTraySettings(SettingValue::Text(saved[0].second), SettingValue::Text(saved[2].second),
            SettingValue::Text(saved[1].second), SettingValue::Text(saved[3].second));
    FUZZ_REQUIRE(reloaded == settings);
}

void CheckCaption(std::int32_t version)
{
    const std::string caption = HelpCaption(version);
    const std::string lead = "使い方　" + std::string(ProductKey) + ".EXE V";
    const std::string_view tail = " PALUN (&H)";
    FUZZ_REQUIRE(caption.starts_with(lead));
    FUZZ_REQUIRE(caption.ends_with(tail));
    FUZZ_REQUIRE(caption.size() >= lead.size() + tail.size());
    const std::string number = caption.substr(lead.size(), caption.size() - lead.size() - tail.size());
    if (version == VersionNotInstalled)
        FUZZ_REQUIRE(number == "?.?");
    else
        FUZZ_REQUIRE(number == std::to_string(version / 10) + "." + std::to_string(version % 10));
}

void CheckVersion(const SettingValue& version)
{
    const std::int32_t helpVersion = HelpCaptionVersion(version);
    const std::optional<std::int32_t> parsed
        = version.kind == SettingValue::Kind::Text ? ParseSettingInt(version.text) : std::nullopt;
    if (IsMissingOrEmpty(version))
        FUZZ_REQUIRE(helpVersion == VersionNotInstalled);
    else
        FUZZ_REQUIRE(helpVersion == parsed.value_or(VersionNotInstalled));
    CheckCaption(helpVersion);

    // Unlike the help item, the start refuses a value it cannot read.
    const bool refused = !IsMissingOrEmpty(version) && !parsed;
    const Result<std::int32_t> installed = ReadInstalledVersion(version);
    FUZZ_REQUIRE(static_cast<bool>(installed) == !refused);
    if (installed)
        FUZZ_REQUIRE(*installed == helpVersion);
    else
        FUZZ_REQUIRE(!installed.Message().empty());
}

std::string ExpectedLinkPath(const SettingValue& folder, std::string_view suffix, std::string_view itemTitle)
{
    if (folder.kind != SettingValue::Kind::Text || folder.text.empty())
        return {};
    return YenAdd(folder.text + std::string(suffix)) + std::string(itemTitle) + ".lnk";
}

void CheckLinkPaths(const SettingValue& programs, const SettingValue& desktop, const SettingValue& startup,
    const SettingValue& group, std::string_view itemTitle)
{
    const LinkPaths paths = BuildLinkPaths(programs, desktop, startup, group, itemTitle);
    const std::string groupName = group.kind == SettingValue::Kind::Text ? group.text : std::string();
    FUZZ_REQUIRE(paths.group == ExpectedLinkPath(programs, "\\" + groupName, itemTitle));
    FUZZ_REQUIRE(paths.desktop == ExpectedLinkPath(desktop, "", itemTitle));
    FUZZ_REQUIRE(paths.startup == ExpectedLinkPath(startup, "", itemTitle));
    for (const std::string* path : { &paths.group, &paths.desktop, &paths.startup }) {
        if (!path->empty())
            FUZZ_REQUIRE(path->ends_with(std::string(itemTitle) + ".lnk"));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::string_view> fields = SplitFields(InputText(data, size), FieldCount);
    std::vector<SettingValue> values;
    for (std::size_t i = 0; i + 1 < FieldCount; ++i)
        values.push_back(FieldValue(fields[i]));

    const TraySettings settings = CheckTraySettings(values[0], values[1], values[2], values[3]);
    CheckSaveLoadsBack(settings);
    CheckCaption(settings.mySoft);
    CheckVersion(values[4]);
    CheckLinkPaths(values[5], values[6], values[7], values[8], fields[9]);
    return 0;
}
