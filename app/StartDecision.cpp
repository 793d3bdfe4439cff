#include "app/StartDecision.h"

#include "platform/Errors.h"
#include "program/ProgramValues.h"

StartDecision DecideStart(const StartFacts& facts, const Callback<SettingValue()>& readVersion)
{
    if (facts.argument1 == UninstallSwitch) {
        const bool running = facts.trayWindowExists || facts.setupWindowExists;
        return { StartRole::SetupWindow, running ? RunMode::UninstallBlocked : RunMode::Uninstall, {} };
    }
    if (facts.lowerFileName == UninstallCopyName())
        return { StartRole::SetupWindow, RunMode::UninstallCopy, {} };
    if (facts.trayWindowExists)
        return { StartRole::ForwardToTray, RunMode::Normal, {} };

    std::int32_t installed = 0;
    try {
        installed = ReadInstalledVersion(readVersion());
    } catch (const EConvertError& error) {
        return { StartRole::VersionError, RunMode::Normal, error.what() };
    }
    if (installed == ProgramVersion)
        return { StartRole::TrayWindow, RunMode::Normal, {} };
    if (facts.setupWindowExists)
        return { StartRole::ExitSilently, RunMode::Normal, {} };
    return { StartRole::SetupInstall, RunMode::Normal, {} };
}
