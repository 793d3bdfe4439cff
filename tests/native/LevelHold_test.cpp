#include "setup/LevelHold.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

// Attributes as the system reports them for a handle opened on the link
// itself.
constexpr std::uint32_t Folder = 0x10;
constexpr std::uint32_t HiddenSystemFolder = 0x16; // a drive root
constexpr std::uint32_t FolderLink = 0x410; // a junction or a symbolic link to a folder
constexpr std::uint32_t File = 0x20;
constexpr std::uint32_t FileLink = 0x420;

TEST(JudgeLevel, HoldsOnlyAFolderThatIsNoLink)
{
    const struct {
        const char* what;
        LevelFound found;
        LevelOpening expected;
    } rows[] = {
        { "a folder", { true, false, Folder }, LevelOpening::Held },
        { "a drive root", { true, false, HiddenSystemFolder }, LevelOpening::Held },
        { "a junction", { true, false, FolderLink }, LevelOpening::Refused },
        { "a link to a file", { true, false, FileLink }, LevelOpening::Refused },
        { "a file", { true, false, File }, LevelOpening::Refused },
        { "nothing of that name", { false, true, 0 }, LevelOpening::Missing },
        { "refused access", { false, false, 0 }, LevelOpening::Refused },
    };
    for (const auto& row : rows)
        EXPECT_EQ(JudgeLevel(row.found), row.expected) << row.what;
}

TEST(WalkLevels, StopsAtTheFirstLevelNotHeldAndOpensNothingBelowIt)
{
    const std::vector<std::string> levels { "C:\\", "C:\\A", "C:\\A\\B", "C:\\A\\B\\C" };
    const struct {
        const char* what;
        std::map<std::string, LevelOpening> openings; // any other level is held
        std::size_t from;
        LevelWalk expected;
        std::size_t opened;
    } rows[] = {
        { "every level a folder", {}, 0, { 4, false }, 4 },
        { "a junction in the middle", { { "C:\\A", LevelOpening::Refused } }, 0, { 1, true }, 2 },
        { "the levels still to be made", { { "C:\\A\\B", LevelOpening::Missing } }, 0, { 2, false }, 3 },
        { "the rest, once made", {}, 2, { 4, false }, 2 },
        { "the install folder a link", { { "C:\\A\\B\\C", LevelOpening::Refused } }, 2, { 3, true }, 2 },
    };
    for (const auto& row : rows) {
        std::size_t opened = 0;
        auto open = [&](const std::string& level) {
            ++opened;
            const auto found = row.openings.find(level);
            return found == row.openings.end() ? LevelOpening::Held : found->second;
        };
        const LevelWalk walk = WalkLevels(levels, row.from, open);
        EXPECT_EQ(walk.held, row.expected.held) << row.what;
        EXPECT_EQ(walk.refused, row.expected.refused) << row.what;
        EXPECT_EQ(opened, row.opened) << row.what;
    }
}

} // namespace
