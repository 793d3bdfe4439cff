#pragma once

// Registry keys and value names shared by the tray program, the installer and
// the uninstaller.  Every value is stored as a REG_SZ string unless marked.

#include "program/ProgramValues.h"

#include <string_view>

// Under HKEY_CURRENT_USER.
inline constexpr std::string_view SettingsKey = "Software\\PALUN RUZI32\\DRIM32";
static_assert(SettingsKey.ends_with(ProductKey));

inline constexpr std::string_view ValueOnOff = "ONOFF";
inline constexpr std::string_view ValueStart = "START";
inline constexpr std::string_view ValueHozon = "HOZON";
inline constexpr std::string_view ValueMySoft = "MYSOFT";
inline constexpr std::string_view ValueAcOnly = "ACONLY";
// The watched programs' file names, separated by "|".
inline constexpr std::string_view ValueWatch = "WATCH";
inline constexpr std::string_view ValueVersion = "Version";
inline constexpr std::string_view ValueGroup = "Group";
inline constexpr std::string_view ValueExePath = "EXEPATH";
inline constexpr std::string_view ValueBackColor = "BackColor";

// Under HKEY_CURRENT_USER; read only, never written by this program.
inline constexpr std::string_view ShellFoldersKey
    = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
inline constexpr std::string_view ValuePrograms = "Programs";
inline constexpr std::string_view ValueDesktop = "Desktop";
inline constexpr std::string_view ValueStartup = "Startup";

// Under HKEY_CURRENT_USER: the maker's key above SettingsKey, shared with its
// other programs.
inline constexpr std::string_view VendorKey = "Software\\PALUN RUZI32";
static_assert(SettingsKey.starts_with(VendorKey));
// The maker as the key spells it: the publisher in the uninstall entry.
inline constexpr std::string_view Publisher = VendorKey.substr(VendorKey.find('\\') + 1);

// Deleted by the uninstaller; nothing in this program writes it.
inline constexpr std::string_view ValueRecTxt = "REC_TXT";

// Under HKEY_LOCAL_MACHINE: the system's uninstall entry of the program.
inline constexpr std::string_view UninstallEntryKey
    = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\DRIM32";
static_assert(UninstallEntryKey.ends_with(ProductKey));
inline constexpr std::string_view ValueDisplayName = "DisplayName";
inline constexpr std::string_view ValueUninstallString = "UninstallString";
// What the system's list of programs shows besides the name.
inline constexpr std::string_view ValueDisplayIcon = "DisplayIcon";
inline constexpr std::string_view ValueDisplayVersion = "DisplayVersion";
inline constexpr std::string_view ValuePublisher = "Publisher";
inline constexpr std::string_view ValueInstallLocation = "InstallLocation";
inline constexpr std::string_view ValueEstimatedSize = "EstimatedSize"; // a REG_DWORD, in KB
inline constexpr std::string_view ValueNoModify = "NoModify"; // REG_DWORD 1
inline constexpr std::string_view ValueNoRepair = "NoRepair"; // REG_DWORD 1

// What the uninstaller leaves for the uninstall copy: written under
// HKEY_CURRENT_USER, and also looked for under HKEY_USERS as the default
// user's key, where older systems kept the current user's hive.
inline constexpr std::string_view HandoverKey = "Software\\Unin_PALUN RUZI32";
inline constexpr std::string_view DefaultUserHandoverKey = ".Default\\Software\\Unin_PALUN RUZI32";
static_assert(DefaultUserHandoverKey.ends_with(HandoverKey));
inline constexpr std::string_view HandoverValueFile = "File";
inline constexpr std::string_view HandoverValueTitle = "Title";
inline constexpr std::string_view HandoverValueRmDir = "RmDir";
// What the uninstaller could not remove, for the copy's last box; a copy
// that does not know the value reads the others as before.
inline constexpr std::string_view HandoverValueLeft = "Left";
// The shortcut files behind the group items named in "Left", for the copy
// to look at again.
inline constexpr std::string_view HandoverValueLeftLinks = "LeftLinks";
