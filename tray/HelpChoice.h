#pragma once

// Which help the help item opens.  Windows Vista and later ship no WinHelp
// viewer, and Windows 10 and later cannot install one; every Windows reads
// HTML Help, but a package made before DRIM32.CHM shipped has none, and
// hhctrl.ocx may be missing from the system folder.

enum class HelpChoice {
    OpenChm, // through hhctrl.ocx
    OpenHlp, // through WinHelpA
    SayHtmlHelpMissing, // hhctrl.ocx cannot be loaded
    SayChmMissing,
};

// `windows10OrLater` as the system reports its version to the program (a
// compatibility mode reports an older one).
HelpChoice ChooseHelp(bool htmlHelpLoads, bool chmExists, bool windows10OrLater);
