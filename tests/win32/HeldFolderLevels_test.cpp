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

} // namespace
