#include "tray/Settings.h"

#include "base/DecimalText.h"
#include "program/ProgramValues.h"
#include "program/RegistryNames.h"
#include "shell/Progman.h"
#include "text/CharacterCut.h"

#include <algorithm>
#include <limits>

namespace {

constexpr char Blank = ' ';
constexpr char HexMark = '$';

std::optional<int> DigitValue(char c, int radix)
{
    int value = -1;
    if (c >= '0' && c <= '9')
        value = c - '0';
    else if (c >= 'a' && c <= 'f')
        value = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        value = c - 'A' + 10;
    if (value < 0 || value >= radix)
        return std::nullopt;
    return value;
}

std::optional<std::int32_t> ParseDecimal(std::string_view digits, bool negative)
{
    // One past the largest magnitude (that of INT32_MIN) is enough to stop
    // accumulating before the 64-bit sum could overflow.
    constexpr std::int64_t Limit = std::int64_t { std::numeric_limits<std::int32_t>::max() } + 2;
    if (digits.empty())
        return std::nullopt;
    std::int64_t magnitude = 0;
    for (const char c : digits) {
        const auto digit = DigitValue(c, 10);
        if (!digit)
            return std::nullopt;
        magnitude = std::min(magnitude * 10 + *digit, Limit);
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

// Leading zeros are not significant, so only a ninth non-zero digit fails.
std::optional<std::int32_t> ParseHexPattern(std::string_view digits)
{
    if (digits.empty())
        return std::nullopt;
    std::uint32_t pattern = 0;
    for (const char c : digits) {
        const auto digit = DigitValue(c, 16);
        if (!digit || (pattern >> 28) != 0)
            return std::nullopt;
        pattern = (pattern << 4) | static_cast<std::uint32_t>(*digit);
    }
    return static_cast<std::int32_t>(pattern);
}

bool IsMissingOrEmptyText(const SettingValue& value)
{
    return value.kind == SettingValue::Kind::Missing
        || (value.kind == SettingValue::Kind::Text && value.text.empty());
}

// A missing or empty value reads as its default text; a value that is not a
// string is as unusable as unparsable text.
std::optional<std::int32_t> ParseOrDefault(const SettingValue& value, std::string_view defaultText)
{
    if (IsMissingOrEmptyText(value))
        return ParseSettingInt(defaultText);
    if (value.kind == SettingValue::Kind::WrongType)
        return std::nullopt;
    return ParseSettingInt(value.text);
}

std::int32_t ReadTrayInt(const SettingValue& value, std::string_view defaultText, std::int32_t fallback)
{
    return ParseOrDefault(value, defaultText).value_or(fallback);
}

std::string FlagText(bool flag)
{
    return flag ? "1" : "0";
}

bool HasFolder(const SettingValue& folder)
{
    return folder.kind == SettingValue::Kind::Text && !folder.text.empty();
}

} // namespace

std::optional<std::int32_t> ParseSettingInt(std::string_view text)
{
    const std::size_t start = text.find_first_not_of(Blank);
    if (start == std::string_view::npos)
        return std::nullopt;
    text.remove_prefix(start);
    if (text.front() == HexMark)
        return ParseHexPattern(text.substr(1));
    const bool negative = text.front() == '-';
    if (negative || text.front() == '+')
        text.remove_prefix(1);
    return ParseDecimal(text, negative);
}

TraySettings LoadTraySettings(const SettingValue& onoff, const SettingValue& start, const SettingValue& hozon,
    const SettingValue& mysoft)
{
    TraySettings settings {};
    settings.keepAwakeMode = ReadTrayInt(onoff, "1", -1);
    settings.startTicked = ReadTrayInt(start, "0", 0) != 0;
    settings.offAtStartEnabled = settings.startTicked;
    settings.offAtStartTicked = ReadTrayInt(hozon, "1", 1) != 0;
    if (settings.offAtStartEnabled)
        settings.keepAwakeMode = settings.offAtStartTicked ? -1 : 0;
    settings.mySoft = ReadTrayInt(mysoft, "0", 0);
    return settings;
}

bool LoadMainsOnly(const SettingValue& aconly)
{
    return aconly.kind == SettingValue::Kind::Text && aconly.text == "1";
}

std::vector<std::pair<std::string, std::string>> TraySettingsToSave(
    std::int32_t modeAtCloseStart, const TraySettings& settings)
{
    return {
        { std::string(ValueOnOff), DecimalText(modeAtCloseStart) },
        { std::string(ValueHozon), FlagText(settings.offAtStartTicked) },
        { std::string(ValueStart), FlagText(settings.startTicked) },
        { std::string(ValueMySoft), DecimalText(settings.mySoft) },
        { std::string(ValueAcOnly), FlagText(settings.mainsOnly) },
        { std::string(ValueWatch), WatchListText(settings.watch) },
    };
}

std::int32_t HelpCaptionVersion(const SettingValue& version)
{
    return ParseOrDefault(version, "255").value_or(VersionNotInstalled);
}

std::string HelpCaption(std::int32_t version)
{
    std::string caption = "使い方　";
    caption += ProductKey;
    caption += ".EXE V";
    if (version == VersionNotInstalled) {
        caption += "?.?";
    } else {
        caption += DecimalText(version / 10);
        caption += '.';
        caption += DecimalText(version % 10);
    }
    caption += " PALUN (&H)";
    return caption;
}

namespace {

// A value quoted in a message is cut where it would swamp the box: a
// registry value can be megabytes long.
constexpr std::size_t QuotedValueLimit = 64;

std::string QuotedValue(std::string_view text)
{
    std::string quoted = "'";
    if (text.size() <= QuotedValueLimit) {
        quoted += text;
        quoted += '\'';
        return quoted;
    }
    quoted += CutWholeCharacters(text, QuotedValueLimit);
    quoted += "…'";
    return quoted;
}

} // namespace

Result<std::int32_t> ReadInstalledVersion(const SettingValue& version)
{
    if (IsMissingOrEmptyText(version))
        return VersionNotInstalled;
    if (version.kind == SettingValue::Kind::WrongType)
        return Failure { "レジストリ値 'Version' の型が正しくありません" };
    if (const auto number = ParseSettingInt(version.text))
        return *number;
    return Failure { QuotedValue(version.text) + " は有効な整数値ではありません" };
}

LinkPaths BuildLinkPaths(const SettingValue& programs, const SettingValue& desktop,
    const SettingValue& startup, const SettingValue& group, std::string_view itemTitle)
{
    LinkPaths paths;
    if (HasFolder(programs)) {
        std::string groupFolder = programs.text;
        groupFolder += '\\';
        if (group.kind == SettingValue::Kind::Text)
            groupFolder += group.text;
        paths.group = ItemShortcutPath(groupFolder, itemTitle);
    }
    if (HasFolder(desktop))
        paths.desktop = ItemShortcutPath(desktop.text, itemTitle);
    if (HasFolder(startup))
        paths.startup = ItemShortcutPath(startup.text, itemTitle);
    return paths;
}
