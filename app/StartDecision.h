#pragma once

// The choice of the role a start of the program plays, made before any
// window exists.

#include "base/Callback.h"
#include "program/RunMode.h"
#include "tray/Settings.h"

#include <string>
#include <string_view>

// Compared byte for byte: letter case matters.
inline constexpr std::string_view UninstallSwitch = "/uninstall";

enum class StartRole {
    ForwardToTray, // hand the arguments to the resident copy, exit with code 0
    TrayWindow, // create the tray window, hidden
    ExitSilently, // an installation is already under way: exit with code 0
    SetupInstall, // create the setup window, shown, to install
    SetupWindow, // create the setup window, hidden, in runMode 1, 2 or 999
    VersionError, // report errorText and exit without a window
};

struct StartDecision {
    StartRole role;
    RunMode runMode = RunMode::Normal;
    std::string errorText;
};

struct StartFacts {
    std::string argument1;
    // The running file's name, lower-cased with the system's conversion.
    std::string lowerFileName;
    bool trayWindowExists = false;
    bool setupWindowExists = false;
};

// The first matching rule wins: "/uninstall", then the uninstall copy's
// name, then a resident tray window, then the installed version.
// `readVersion` reads the registry value "Version"; it is called only when
// the version decides, so no other start touches the registry.
StartDecision DecideStart(const StartFacts& facts, const Callback<SettingValue()>& readVersion);
