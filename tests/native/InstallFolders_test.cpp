#include "setup/InstallFolders.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Paths = std::vector<std::string>;

TEST(InstallFolderLevels, ListsEveryLevelFromTheRootDown)
{
    EXPECT_EQ(InstallFolderLevels("C:\\PALUNP32\\DRIM32\\"),
        (Paths { "C:\\", "C:\\PALUNP32", "C:\\PALUNP32\\DRIM32" }));
    EXPECT_EQ(InstallFolderLevels("C:\\"), (Paths { "C:\\" }));
    // Text after the last backslash is not a level.
    EXPECT_EQ(InstallFolderLevels("C:\\A\\file.txt"), (Paths { "C:\\", "C:\\A" }));
    EXPECT_EQ(InstallFolderLevels("\\\\server\\share\\A\\"),
        (Paths { "\\", "\\\\", "\\\\server", "\\\\server\\share", "\\\\server\\share\\A" }));
    EXPECT_EQ(InstallFolderLevels(""), Paths {});
    EXPECT_EQ(InstallFolderLevels("no separator"), Paths {});
}

TEST(InstallFolderLevels, NeverSplitsAtTheSecondByteOfACharacter)
{
    // 表 and ソ end in 0x5C, the byte of a backslash.
    EXPECT_EQ(InstallFolderLevels("C:\\表\\ソフト\\"), (Paths { "C:\\", "C:\\表", "C:\\表\\ソフト" }));
    EXPECT_EQ(InstallFolderLevels("C:\\A表B\\"), (Paths { "C:\\", "C:\\A表B" }));
    // A lead byte at the very end has no second byte to take.
    EXPECT_EQ(InstallFolderLevels(std::string("C:\\A\\\x81", 6)), (Paths { "C:\\", "C:\\A" }));
}

TEST(RemoveFolderLevels, RemovesFromTheDeepestAndStopsAtTheFirstFailure)
{
    const Paths levels { "C:\\", "C:\\Tools", "C:\\Tools\\A" };
    Paths tried;
    auto removeAllButRoot = [&](const std::string& level) {
        tried.push_back(level);
        return level != "C:\\";
    };
    EXPECT_EQ(RemoveFolderLevels(levels, removeAllButRoot), 2u);
    EXPECT_EQ(tried, (Paths { "C:\\Tools\\A", "C:\\Tools", "C:\\" }));

    tried.clear();
    auto programFolderNotEmpty = [&](const std::string& level) {
        tried.push_back(level);
        return false;
    };
    EXPECT_EQ(RemoveFolderLevels(levels, programFolderNotEmpty), 0u);
    EXPECT_EQ(tried, (Paths { "C:\\Tools\\A" }));
}

TEST(FolderFitsPathBuffers, LeavesRoomForAShortNameAndForEveryProgramFile)
{
    const std::string name = "DRIM32.EXE";
    // 247 bytes of folder leave an 8.3 name and the terminating zero room.
    const std::string longest = "C:\\" + std::string(244, 'a') + "\\";
    EXPECT_TRUE(FolderFitsPathBuffers(longest, name));
    EXPECT_FALSE(FolderFitsPathBuffers("C:\\" + std::string(245, 'a') + "\\", name));
    EXPECT_FALSE(FolderFitsPathBuffers(longest, std::string(12, 'n') + ".EXE"));
    EXPECT_FALSE(FolderFitsPathBuffers(std::string(40000, 'a') + "\\", name));
}

} // namespace
