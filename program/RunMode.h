#pragma once

// The modes of the setup window, chosen by the entry; the window reads the
// mode when it is created.
enum class RunMode : int { Normal = 0, Uninstall = 1, UninstallCopy = 2, UninstallBlocked = 999 };
