#pragma once

// The decisions of the uninstall copy: whether an existing copy is renewed,
// how it is started, and what it accepts from the hand-over key.

#include "setup/InstallRecord.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A last-write time in the packed DOS form (date in the high 16 bits, local
// time in the low 16), read as a signed number: from 2044 on it is negative.
std::int32_t PackedDosStamp(std::uint16_t dosDate, std::uint16_t dosTime);

// What the uninstaller knows of a copy already in place.  The copy's name
// is shared with the maker's other programs.
struct ExistingUninstallCopy {
    bool sameBytes = false; // as the running program's
    bool ofThisProgram = false; // its version resource names the program's file
    std::int32_t stamp = 0;
};

// A copy of this program is renewed whenever its bytes differ, so that the
// copy started reads everything handed over.  A copy of another program is
// renewed only when its stamp is 0 (missing or unreadable) or later than the
// running program's; one dated the same or earlier is kept.
bool UninstallCopyNeedsRefresh(const ExistingUninstallCopy& copy, std::int32_t programStamp);

// True when a version resource, as stored in a program file, gives
// `fileName` as its original file name.  Any bytes may be given.
bool VersionResourceNamesFile(std::string_view resource, std::string_view fileName);

// "\"<copyPath>\" \"/DeleteFile\"": the copy sees /DeleteFile as argument 1.
std::string UninstallCopyCommandLine(std::string_view copyPath);

inline constexpr std::string_view DeleteFileSwitch = "/DeleteFile";

struct Handover {
    std::string file; // the program file to delete
    std::string title; // the caption of the copy's window and boxes
    std::string rmDir; // "n" keeps the folders
    std::string left = {}; // what the uninstaller could not remove, JoinRemains
    std::string leftLinks = {}; // the group items among them, JoinLeftItems
};

// A group's item counted as left, and the shortcut file behind it: when the
// file has gone by the last box, Program Manager removed the item late.
struct LeftItem {
    std::string name; // as the remains name it
    std::string shortcut;
};

// One item a line, its shortcut's path, a tab, then its name: no path holds
// a tab, and no byte of code page 932 text is one but the tab itself.
std::string JoinLeftItems(const std::vector<LeftItem>& items);
std::vector<LeftItem> SplitLeftItems(std::string_view joined);

// Where a hand-over key may be found; the uninstall copy reads it once and
// deletes it where it found it.
class HandoverStore {
public:
    virtual ~HandoverStore() = default;
    // Nothing when the key cannot be opened; missing values read as empty.
    virtual std::optional<Handover> Read(RegistryRoot root) = 0;
    virtual void Delete(RegistryRoot root) = 0;
};

// The current user's key first, where the uninstaller wrote it; the default
// user's key only when that one is not there.  Every key found is deleted.
std::optional<Handover> TakeHandover(HandoverStore& store);

struct UninstallCopyStart {
    bool valid = false; // delete the file, remove the folders, report
    std::string caption;
    std::string file;
    std::string folderWithBackslash; // the folder of `file`
    bool removeFolders = false;
    std::vector<std::string> remains; // handed over by the uninstaller
    std::vector<LeftItem> leftItems; // the group items among the remains
};

// True when the path's file name is the program's own (DRIM32.EXE in any
// letter case): the only file the uninstall copy deletes, and so the only
// name under which the program uninstalls itself.
bool NamesTheProgramsOwnFile(std::string_view path);

// The exit code of an uninstallation refused for want of an administrator's
// rights, before it changed anything: the system's "access denied", which
// tells a caller to run it again elevated.
inline constexpr int UninstallNeedsAdministratorExitCode = 5;

// A refusal of the uninstaller before anything changes: its box and exit
// code.
struct UninstallRefusal {
    std::string_view text;
    int exitCode;
};

// Under another name than DRIM32.EXE the copy could not delete the program
// file.  Where this user may not delete it (`deletionDenied`: access denied
// when opened for deletion, the case of an installation an administrator
// made, uninstalled without elevation), every removal would fail one by
// one.  Nothing when the uninstallation may go on.
std::optional<UninstallRefusal> RefuseUninstallation(std::string_view programPath, bool deletionDenied);

// True when the path starts with a drive letter, a colon and a backslash:
// any other path (a network or relative one) the uninstall copy names as
// remaining and leaves alone.
bool IsDrivePath(std::string_view path);

// A valid start needs argument 1 exactly "/DeleteFile" and a handed-over
// path to the program's own file (DRIM32.EXE in any letter case): the copy
// never deletes any other file a registry value names.
UninstallCopyStart DecideUninstallCopyStart(
    const std::optional<Handover>& handover, std::string_view argument1);

// The exit code of an uninstallation that left something behind, in both
// processes; a complete one ends with 0.
inline constexpr int UninstallIncompleteExitCode = 4;

// The box that replaces the completion report when something could not be
// removed: the head line, then one line per remaining thing.
std::string IncompleteUninstallText(const std::vector<std::string>& remains);

// The remains travel in one hand-over value, one name a line: no file path
// or key name holds a line feed.
std::string JoinRemains(const std::vector<std::string>& remains);
std::vector<std::string> SplitRemains(std::string_view joined);
