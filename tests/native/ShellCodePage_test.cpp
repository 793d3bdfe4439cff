#include "shell/Progman.h"
#include "shell/ShellCodePage.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

std::optional<unsigned> Route(unsigned process, const SettingValue& system)
{
    return ItemFilesCodePageFor(process, system);
}

TEST(ItemFilesCodePage, AProgramOfCodePage932UnderAnotherSystemCodePageWritesTheFiles)
{
    EXPECT_EQ(Route(932, SettingValue::Text("1252")), 1252u);
    // Windows' UTF-8 for worldwide language support.
    EXPECT_EQ(Route(932, SettingValue::Text("65001")), 65001u);
}

TEST(ItemFilesCodePage, ProgramManagerKeepsTheItemsWhereItReadsThemRightOrNothingIsKnown)
{
    EXPECT_EQ(Route(932, SettingValue::Text("932")), std::nullopt);
    // A process that ignores the manifest's code page has no code page 932
    // paths to write.
    EXPECT_EQ(Route(1252, SettingValue::Text("1252")), std::nullopt);
    for (const SettingValue& unreadable :
        { SettingValue::Missing(), SettingValue::WrongType(), SettingValue::Text(""), SettingValue::Text("0"),
            SettingValue::Text("1252 "), SettingValue::Text("-1252"), SettingValue::Text("65536"),
            SettingValue::Text("99999999999999999999") })
        EXPECT_EQ(Route(932, unreadable), std::nullopt) << unreadable.text;
}

// The file below the Programs folder, in code page 932 bytes; the name an
// earlier installation got under another shell is these bytes read there.
TEST(ItemShortcutPath, TheItemsFileLiesInItsGroupsFolder)
{
    EXPECT_EQ(
        ItemShortcutPath("PALUN RUZI32", "ｽｸﾘｰﾝｾｰﾊﾞｰ 省電力OFF"), "PALUN RUZI32\\ｽｸﾘｰﾝｾｰﾊﾞｰ 省電力OFF.lnk");
    // 表 ends in the byte of a backslash, which ends no folder name.
    EXPECT_EQ(ItemShortcutPath("起動表", "A"), "起動表\\A.lnk");
    EXPECT_EQ(ItemShortcutPath("", "A"), "");
}

} // namespace
