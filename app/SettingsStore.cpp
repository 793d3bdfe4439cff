#include "app/SettingsStore.h"

#include "program/ProgramValues.h"
#include "program/RegistryNames.h"
#include "platform/Registry.h"

namespace {

std::string Text(std::string_view view)
{
    return std::string(view);
}

SettingValue Read(const std::optional<RegistryKey>& key, std::string_view name)
{
    return key ? key->ReadString(Text(name)) : SettingValue {};
}

} // namespace

TraySettings ReadTraySettings()
{
    const std::optional<RegistryKey> key = RegistryKey::OpenForReading(HKEY_CURRENT_USER, Text(SettingsKey));
    return LoadTraySettings(
        Read(key, ValueOnOff), Read(key, ValueStart), Read(key, ValueHozon), Read(key, ValueMySoft));
}

void WriteTraySettings(std::int32_t modeAtCloseStart, const TraySettings& settings)
{
    const std::optional<RegistryKey> key = RegistryKey::OpenOrCreate(HKEY_CURRENT_USER, Text(SettingsKey));
    if (!key)
        return;
    for (const auto& [name, value] : TraySettingsToSave(modeAtCloseStart, settings))
        if (!key->WriteString(name, value))
            return;
}

LinkPaths ReadLinkPaths()
{
    SettingValue programs;
    SettingValue desktop;
    SettingValue startup;
    {
        const std::optional<RegistryKey> folders
            = RegistryKey::OpenForReading(HKEY_CURRENT_USER, Text(ShellFoldersKey));
        programs = Read(folders, ValuePrograms);
        desktop = Read(folders, ValueDesktop);
        startup = Read(folders, ValueStartup);
    }
    const SettingValue group = ReadRegistryString(HKEY_CURRENT_USER, Text(SettingsKey), Text(ValueGroup));
    return BuildLinkPaths(programs, desktop, startup, group, ItemTitle);
}

SettingValue ReadVersionValue()
{
    return ReadRegistryString(HKEY_CURRENT_USER, Text(SettingsKey), Text(ValueVersion));
}
