#include "setup/HeldFolderLevels.h"

#include "TempFolder.h"
#include "setup/InstallFolders.h"

#include <gtest/gtest.h>

namespace {

// A held level can be neither renamed nor removed; the deepest goes once
// let go, and every level is free again after the release.
TEST(HeldFolderLevels, KeepTheLevelsInPlaceUntilLetGo)
{
    const TempFolder folder;
    const std::string outer = folder / "outer";
    const std::string inner = outer + "\\inner";
    ASSERT_TRUE(CreateDirectoryA(outer.c_str(), nullptr));
    HeldFolderLevels held;
    const std::vector<std::string> levels = InstallFolderLevels(inner + "\\");
    EXPECT_EQ(held.Hold(levels), std::nullopt);
    ASSERT_TRUE(CreateDirectoryA(inner.c_str(), nullptr));
    EXPECT_EQ(held.Hold(levels), std::nullopt);

    EXPECT_FALSE(MoveFileA(outer.c_str(), (folder / "moved").c_str()));
    EXPECT_FALSE(MoveFileA(inner.c_str(), (outer + "\\moved").c_str()));
    EXPECT_TRUE(held.Remove(inner));
    EXPECT_FALSE(MoveFileA(outer.c_str(), (folder / "moved").c_str()));
    held.Release();
    EXPECT_TRUE(MoveFileA(outer.c_str(), (folder / "moved").c_str()));
}

TEST(DeleteFileByHandle, DeletesAReadOnlyFileButNotOneHeldByAnother)
{
    const TempFolder folder;
    const std::string file = folder / "DRIM32.EXE";
    WriteWholeFile(file, "program");
    {
        const UniqueHandle other(CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        EXPECT_EQ(DeleteFileByHandle(file), HandleDeletion::Refused);
        EXPECT_TRUE(FileExists(file));
    }
    ASSERT_TRUE(SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(DeleteFileByHandle(file), HandleDeletion::Deleted);
    EXPECT_FALSE(FileExists(file));
    EXPECT_EQ(DeleteFileByHandle(file), HandleDeletion::Refused);
}

} // namespace
