#pragma once

// What the program says to Program Manager over DDE and how it reads the
// replies, apart from the DDE exchange itself.  All texts are code page 932.

#include "base/SettingValue.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::string_view ProgmanService = "PROGMAN";
inline constexpr std::string_view ProgmanTopic = "PROGMAN";
// The request item whose reply lists the groups.
inline constexpr std::string_view GroupsItem = "GROUPS";

// The results of a command exchange other than the empty text of success.
inline constexpr std::string_view DdeOpenFailedText = "DDE:オープンに失敗しました・・・";
inline constexpr std::string_view DdeSendFailedText = "DDE:送信に失敗しました・・・";

// Under HKEY_CURRENT_USER: the name by which Program Manager knows the
// Startup group.
inline constexpr std::string_view MapGroupsKeyPath
    = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MapGroups";
inline constexpr std::string_view StartupGroupValueName = "StartUp";

// The path of an item's shortcut file in `folder`: where the shell keeps its
// groups as folders, an item is such a file in its group's folder, and the
// desktop shortcut is one on the desktop.  Empty when the folder is empty,
// so that no path relative to the current folder is ever tried.
std::string ItemShortcutPath(std::string_view folder, std::string_view itemTitle);

// What a command leaves where the shell keeps its groups as folders in the
// Programs folder and their items as shortcut files in them.  Looked for
// when Program Manager gave no answer in time: the shell may carry the
// command out all the same, after the conversation has ended.
enum class ProgmanEffectKind { None, GroupMade, ItemWritten, ItemGone };
struct ProgmanEffect {
    ProgmanEffectKind kind = ProgmanEffectKind::None;
    std::string path;
};
// The group's folder for GroupMade, the item's shortcut file otherwise;
// no effect to look for when a folder or name is missing.
ProgmanEffect ExpectedEffect(ProgmanEffectKind kind, std::string_view programsFolder, std::string_view group,
    std::string_view itemTitle = {});

// A path as the file system shows it; the time counts 100 ns units, as file
// times do.
struct PathState {
    bool exists = false;
    bool folder = false;
    std::uint64_t lastWrite = 0;
};

// Whether `state` shows the effect of a command sent at `sentAt`.  A
// shortcut file counts as written only when written after the command was
// sent (within FAT's two-second steps): one left by an earlier installation
// is no sign of this command.
bool EffectShown(const ProgmanEffect& effect, const PathState& state, std::uint64_t sentAt);

// The Startup group's name.  A MapGroups value with text decides: its text,
// or nothing when it is longer than any folder name (255 bytes), since no
// shell has such a group and a command naming one can stall the shell
// itself; a value of another type names no group either.  Where the value is
// missing or empty, as on every system since the shell keeps its groups in
// folders, the group is the Startup folder's own name, provided that folder
// lies directly inside the Programs folder, where CreateGroup looks for
// groups.  Otherwise empty: there is no Startup group to use.
std::string StartupGroupFrom(
    const SettingValue& mapped, std::string_view startupFolder, std::string_view programsFolder);

// The group names of a GROUPS reply.  A name is a run of bytes of 20 or
// above; every other byte separates names, and a separator directly at the
// start gives an empty name.  The list ends at the first zero byte or at the
// end of `reply`, whichever comes first.
std::vector<std::string> SplitGroupNames(std::string_view reply);

// The command strings.  Arguments go in unchanged: Program Manager's command
// syntax has no escapes, so a comma or parenthesis in a name is sent as is.
std::string CreateGroupCommand(std::string_view group);
std::string ShowGroupCommand(std::string_view group);
std::string AddItemCommand(std::string_view programPath, std::string_view quotedTitle);
std::string DeleteItemCommand(std::string_view quotedTitle);

// The item title in the double quotes that AddItem and DeleteItem expect.
std::string QuotedItemTitle(std::string_view itemTitle);
