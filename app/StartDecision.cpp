#include "app/StartDecision.h"

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

    const Result<std::int32_t> installed = ReadInstalledVersion(readVersion());
    if (!installed)
        return { StartRole::VersionError, RunMode::Normal, installed.Message() };
    if (*installed == ProgramVersion)
        return { StartRole::TrayWindow, RunMode::Normal, {} };
    if (facts.setupWindowExists)
        return { StartRole::ExitSilently, RunMode::Normal, {} };
    return { StartRole::SetupInstall, RunMode::Normal, {} };
}
