#include "tray/SettingsStore.h"

#include "platform/Registry.h"
#include "program/ProgramValues.h"
#include "program/RegistryNames.h"

namespace {

SettingValue Read(const std::optional<RegistryKey>& key, std::string_view name)
{
    return key ? key->ReadString(name) : SettingValue {};
}

} // namespace

TraySettings ReadTraySettings()
{
    const std::optional<RegistryKey> key = RegistryKey::OpenForReading(HKEY_CURRENT_USER, SettingsKey);
    TraySettings settings = LoadTraySettings(
        Read(key, ValueOnOff), Read(key, ValueStart), Read(key, ValueHozon), Read(key, ValueMySoft));
    settings.mainsOnly = LoadMainsOnly(Read(key, ValueAcOnly));
    settings.watch = ParseWatchList(Read(key, ValueWatch));
    return settings;
}

Result<> WriteTraySettings(std::int32_t modeAtCloseStart, const TraySettings& settings)
{
    const Failure failed { "HKEY_CURRENT_USER\\" + std::string(SettingsKey) };
    const std::optional<RegistryKey> key = RegistryKey::OpenOrCreate(HKEY_CURRENT_USER, SettingsKey);
    if (!key)
        return failed;
    for (const auto& [name, value] : TraySettingsToSave(modeAtCloseStart, settings))
        if (!key->WriteString(name, value))
            return failed;
    return {};
}

LinkPaths ReadLinkPaths()
{
    SettingValue programs;
    SettingValue desktop;
    SettingValue startup;
    {
        const std::optional<RegistryKey> folders
            = RegistryKey::OpenForReading(HKEY_CURRENT_USER, ShellFoldersKey);
        programs = Read(folders, ValuePrograms);
        desktop = Read(folders, ValueDesktop);
        startup = Read(folders, ValueStartup);
    }
    const SettingValue group = ReadRegistryString(HKEY_CURRENT_USER, SettingsKey, ValueGroup);
    return BuildLinkPaths(programs, desktop, startup, group, ItemTitle);
}

SettingValue ReadVersionValue()
{
    return ReadRegistryString(HKEY_CURRENT_USER, SettingsKey, ValueVersion);
}
