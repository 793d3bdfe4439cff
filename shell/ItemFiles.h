#pragma once

// The program's items written and deleted as shortcut files by the program
// itself, where the shell would garble their names (shell/ShellCodePage.h).
// Each file goes where Program Manager keeps an item: `group`\ItemTitle.lnk
// in the Programs folder.  Names and paths are code page 932.

#include "base/Result.h"

#include <optional>
#include <string>

// The shell's code page where the program writes its items itself; nothing
// where they go to Program Manager.
std::optional<unsigned> ItemFilesCodePage();

// The item in `group`, as Program Manager's AddItem makes it: the program
// as target, its folder as working folder, its first icon.  A missing group
// folder is made.  Once it is saved, the item under the name the shell of
// `shellCodePage` gave it for an earlier installation's commands is
// deleted.  Fails with Program Manager's texts: DdeOpenFailedText where no
// shortcut could be made, DdeSendFailedText where it could not be written
// or the garbled one stays.
Result<> AddItemFile(const std::string& group, const std::string& programPath, unsigned shellCodePage);

// Deletes the item from `group`, under its name and under the name the
// shell of `shellCodePage` gave it for an earlier installation's commands.
// Fails with DdeSendFailedText when either file stays or its path cannot
// be built.
Result<> DeleteItemFiles(const std::string& group, unsigned shellCodePage);
