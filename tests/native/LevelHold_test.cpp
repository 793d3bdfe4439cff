#include "setup/LevelHold.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Attributes as a handle opened on the link itself reports them.
TEST(JudgeLevel, HoldsOnlyAFolderThatIsNoLink)
{
    const struct {
        const char* what;
        LevelFound found;
        LevelOpening expected;
    } rows[] = {
        { "a folder", { true, false, 0x10 }, LevelOpening::Held },
        { "a drive root", { true, false, 0x16 }, LevelOpening::Held },
        { "a junction or a link to a folder", { true, false, 0x410 }, LevelOpening::Refused },
        { "a file", { true, false, 0x20 }, LevelOpening::Refused },
        { "nothing of that name", { false, true, 0 }, LevelOpening::Missing },
        { "refused access", { false, false, 0 }, LevelOpening::Refused },
    };
    for (const auto& row : rows)
        EXPECT_EQ(JudgeLevel(row.found), row.expected) << row.what;
}

TEST(WalkLevels, StopsAtTheFirstLevelNotHeldAndOpensNothingBelowIt)
{
    const std::vector<std::string> levels { "C:\\", "C:\\A", "C:\\A\\B" };
    const struct {
        std::size_t from;
        std::string notHeld;
        LevelOpening opening;
        std::size_t held;
        bool refused;
        std::size_t opened;
    } rows[] = {
        { 0, "", LevelOpening::Held, 3, false, 3 },
        { 0, "C:\\A", LevelOpening::Refused, 1, true, 2 },
        { 0, "C:\\A\\B", LevelOpening::Missing, 2, false, 3 },
        { 2, "C:\\A\\B", LevelOpening::Refused, 2, true, 1 },
    };
    for (const auto& row : rows) {
        std::size_t opened = 0;
        auto open = [&](const std::string& level) {
            ++opened;
            return level == row.notHeld ? row.opening : LevelOpening::Held;
        };
        const LevelWalk walk = WalkLevels(levels, row.from, open);
        EXPECT_EQ(walk.held, row.held) << row.notHeld;
        EXPECT_EQ(walk.refused, row.refused) << row.notHeld;
        EXPECT_EQ(opened, row.opened) << row.notHeld;
    }
}

} // namespace
