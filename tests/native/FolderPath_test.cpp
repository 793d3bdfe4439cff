#include "browser/FolderPath.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Names = std::vector<std::string>;

std::string Bytes(std::initializer_list<unsigned char> bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

int AsciiCaseless(std::string_view a, std::string_view b)
{
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
        const int x = std::tolower(static_cast<unsigned char>(a[i]));
        const int y = std::tolower(static_cast<unsigned char>(b[i]));
        if (x != y)
            return x - y;
    }
    return static_cast<int>(a.size()) - static_cast<int>(b.size());
}

TEST(SplitFolderPath, RootKeepsItsSeparatorLaterComponentsLoseIt)
{
    EXPECT_EQ(SplitFolderPath("c:\\"), Names({ "c:\\" }));
    EXPECT_EQ(SplitFolderPath("c:\\windows\\system\\"), Names({ "c:\\", "windows", "system" }));
    EXPECT_EQ(SplitFolderPath("c:\\windows\\system"), Names({ "c:\\", "windows", "system" }));
}

TEST(SplitFolderPath, SecondByteBackslashNeverSplits)
{
    const std::string hyo = "表";
    ASSERT_EQ(hyo, Bytes({ 0x95, 0x5C }));
    EXPECT_EQ(SplitFolderPath("c:\\" + hyo + "\\" + hyo + "x\\"), Names({ "c:\\", hyo, hyo + "x" }));
    // 0x95 0x95 is one character: the 0x5C after it is a real separator.
    EXPECT_EQ(SplitFolderPath("c:\\" + Bytes({ 0x95, 0x95, 0x5C, 0x41 })),
        Names({ "c:\\", Bytes({ 0x95, 0x95 }), "A" }));
    EXPECT_EQ(SplitFolderPath("c:\\" + Bytes({ 0x95, 0x95, 0x95, 0x5C, 0x5C })),
        Names({ "c:\\", Bytes({ 0x95, 0x95, 0x95, 0x5C }) }));
}

TEST(CutEntryText, CutsAt200BytesWithoutHalvingACharacter)
{
    const std::string ascii(250, 'a');
    EXPECT_EQ(CutEntryText(ascii), std::string(200, 'a'));
    EXPECT_EQ(CutEntryText(std::string(200, 'a')), std::string(200, 'a'));
    // 199 single bytes then 表: its lead byte would be byte 200.
    const std::string straddling = std::string(199, 'a') + "表表";
    EXPECT_EQ(CutEntryText(straddling), std::string(199, 'a'));
    const std::string fitting = std::string(198, 'a') + "表表";
    EXPECT_EQ(CutEntryText(fitting), std::string(198, 'a') + "表");
}

TEST(FolderEntryPath, AncestorSelfAndSubfolder)
{
    // c:\windows\system is current (index 2); 3 and 4 are its subfolders.
    const Names names { "c:\\", "windows", "system", "color", "表" };
    EXPECT_EQ(FolderEntryPath(names, 2, 0), "c:\\");
    EXPECT_EQ(FolderEntryPath(names, 2, 1), "c:\\windows\\");
    EXPECT_EQ(FolderEntryPath(names, 2, 2), "c:\\windows\\system\\");
    EXPECT_EQ(FolderEntryPath(names, 2, 3), "c:\\windows\\system\\color\\");
    EXPECT_EQ(FolderEntryPath(names, 2, 4), "c:\\windows\\system\\表\\");
    EXPECT_EQ(FolderEntryPath(names, 2, 5), std::nullopt);
    EXPECT_EQ(FolderEntryPath({ "c:\\", "x" }, 0, 1), "c:\\x\\");
}

TEST(RememberedFolders, OneFolderPerDriveWhateverTheLetterCase)
{
    RememberedFolders folders;
    folders.Remember("c:\\a");
    folders.Remember("D:\\x");
    folders.Remember("C:\\b");
    EXPECT_EQ(folders.Folders(), Names({ "D:\\x", "C:\\b" }));
    EXPECT_EQ(folders.Find('c'), "C:\\b");
    EXPECT_EQ(folders.Find('d'), "D:\\x");
    EXPECT_EQ(folders.Find('e'), std::nullopt);
    folders.Remember("");
    EXPECT_EQ(folders.Folders().size(), 3U);
}

TEST(SortUniqueNames, OrdersByTheGivenComparisonAndDropsEqualNames)
{
    Names names { "b", "A", "a", "c", "B", "a" };
    SortUniqueNames(names, AsciiCaseless);
    EXPECT_EQ(names, Names({ "A", "b", "c" }));

    Names files { "b", "A", "a", "c", "B", "a" };
    SortNames(files, AsciiCaseless);
    EXPECT_EQ(files, Names({ "A", "a", "a", "b", "B", "c" }));
}

} // namespace
