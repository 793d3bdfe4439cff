#pragma once

// The system's help viewer as the end-to-end scenarios meet it.

#include <windows.h>

// The viewer's window class, as WinHelpA finds it again for HELP_QUIT.
inline constexpr char ViewerClass[] = "MS_WINHELP";
// Wine's viewer, opened through WinHelpA, keeps its own name as caption
// rather than the help file's title.
inline constexpr char ViewerCaption[] = "Wine ヘルプ";
// Wine's HTML Help window, opened in the program's own process.
inline constexpr char HtmlHelpClass[] = "HH Parent";
// Its caption: the title compiled into DRIM32.CHM, so the file was read.
inline constexpr char HtmlHelpCaption[] = "ｽｸﾘｰﾝ･ｾｰﾊﾞｰ＆省電力ＯＦＦツール ヘルプ";
// The viewer is a program of its own, started by the help call.
inline constexpr DWORD ViewerAppearsMilliseconds = 30000;
inline constexpr DWORD ViewerClosesMilliseconds = 15000;
