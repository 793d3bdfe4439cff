#pragma once

// The values the setup window computes when it is created, from the
// program-wide values.  All texts are code page 932.

#include <array>
#include <string>
#include <string_view>

// "ｽｸﾘｰﾝ･ｾｰﾊﾞｰ&省電力OFF V1．4": the application title and the version
// written with a full-width full stop, the start of every setup caption.
std::string WindowTitleBase();

// "PALUN ｽｸﾘｰﾝｾｰﾊﾞｰ 省電力OFF V1.4": the name in the system's uninstall list.
std::string DisplayTitle();
// "1.4": the version as the system's list of programs shows it.
std::string DisplayVersion();

// DRIM32.EXE, DRIM32.TXT, DRIM32.HLP, DRIM32.CHM, DRIM32.GID.  The first
// four are installed, all but the program deleted by the uninstaller.  The
// first three must be in the source folder; DRIM32.CHM may be missing there,
// since packages made before it shipped have none.
inline constexpr std::size_t ProgramFileCount = 5;
inline constexpr std::size_t InstalledFileCount = 4;
inline constexpr std::size_t RequiredFileCount = 3;
std::array<std::string, ProgramFileCount> ProgramFileNames();

// The mark of the web on each installed file in `folder` (which ends in a
// backslash): the stream "<file>:Zone.Identifier" that unpacking a
// downloaded zip adds to every file.
std::array<std::string, InstalledFileCount> MarkOfTheWebStreams(std::string_view folder);

// The folder proposed for the installation: the recorded one when there is
// one, otherwise PALUNP32\DRIM32 on the Windows folder's drive root (the
// first three characters of `windowsFolder`).
std::string DefaultFolder(std::string_view windowsFolder, std::string_view recordedFolder);

// The path of the program's shortcut file in `folder` (the desktop, or a
// group's folder); empty when the folder is empty, so that no relative path
// is ever tried.
std::string ShortcutPath(std::string_view folder);
