#include "platform/CopyUnit.h"

#include "TempFolder.h"
#include "platform/Handle.h"

#include <gtest/gtest.h>

namespace {

std::uint64_t Ticks(const FILETIME& t)
{
    return (std::uint64_t { t.dwHighDateTime } << 32) | t.dwLowDateTime;
}

std::string Pattern(std::size_t size)
{
    std::string s(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        s[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
    return s;
}

class FileCopyKeepDateTest : public ::testing::Test {
protected:
    TempFolder folder;
    const FILETIME evenDate = FileTimeFromLocal(2024, 5, 17, 10, 20, 30);

    std::string MakeSource(const std::string& name, const std::string& contents)
    {
        const std::string path = folder / name;
        WriteWholeFile(path, contents);
        SetLastWriteTime(path, evenDate);
        return path;
    }
};

TEST_F(FileCopyKeepDateTest, CopiesSizesAroundTheBufferBoundaryWithTheirDate)
{
    for (std::size_t size : { std::size_t { 0 }, std::size_t { 1 }, std::size_t { 32767 },
             std::size_t { 32768 }, std::size_t { 32769 }, std::size_t { 65536 }, std::size_t { 100000 } }) {
        const std::string contents = Pattern(size);
        const std::string source = MakeSource("src" + std::to_string(size), contents);
        const std::string target = folder / ("dst" + std::to_string(size));
        ASSERT_TRUE(FileCopyKeepDate(source, target));
        EXPECT_EQ(ReadWholeFile(target), contents) << size;
        EXPECT_EQ(Ticks(LastWriteTime(target)), Ticks(evenDate)) << size;
    }
}

TEST_F(FileCopyKeepDateTest, RoundsOddSecondsDownToTheEvenSecond)
{
    const std::string source = folder / "odd";
    WriteWholeFile(source, "x");
    FILETIME odd = FileTimeFromLocal(2023, 12, 31, 23, 59, 59);
    // A fraction of a second as well: the DOS form drops it.
    const std::uint64_t withFraction = Ticks(odd) + 1234567;
    odd.dwLowDateTime = static_cast<DWORD>(withFraction);
    odd.dwHighDateTime = static_cast<DWORD>(withFraction >> 32);
    SetLastWriteTime(source, odd);

    ASSERT_TRUE(FileCopyKeepDate(source, folder / "odd.copy"));
    EXPECT_EQ(Ticks(LastWriteTime(folder / "odd.copy")), Ticks(FileTimeFromLocal(2023, 12, 31, 23, 59, 58)));
}

TEST_F(FileCopyKeepDateTest, ReplacesAnExistingTargetsContentsAndDate)
{
    const std::string target = folder / "existing";
    WriteWholeFile(target, std::string(50000, 'z'));
    SetLastWriteTime(target, FileTimeFromLocal(2001, 1, 1, 0, 0, 0));
    const std::string source = MakeSource("new", "short");

    ASSERT_TRUE(FileCopyKeepDate(source, target));
    EXPECT_EQ(ReadWholeFile(target), "short");
    EXPECT_EQ(Ticks(LastWriteTime(target)), Ticks(evenDate));
}

TEST_F(FileCopyKeepDateTest, ReplacedTargetGetsNormalAttributes)
{
    const std::string source = MakeSource("hidden", "h");
    SetFileAttributesA(source.c_str(), FILE_ATTRIBUTE_HIDDEN);
    ASSERT_TRUE(FileCopyKeepDate(source, folder / "plain"));
    EXPECT_EQ(GetFileAttributesA((folder / "plain").c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
}

TEST_F(FileCopyKeepDateTest, MissingSourceFailsToOpenAndCreatesNothing)
{
    const std::string source = folder / "missing";
    const std::string target = folder / "never";
    EXPECT_EQ(FileCopyKeepDate(source, target).Message(), "ﾌｧｲﾙ " + source + " は開けません");
    EXPECT_FALSE(FileExists(target));
}

TEST_F(FileCopyKeepDateTest, SourceHeldForWritingByAnotherFailsToOpen)
{
    const std::string source = MakeSource("busy", "b");
    UniqueHandle writer(CreateFileA(source.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(writer);
    EXPECT_EQ(FileCopyKeepDate(source, folder / "busy.copy").Message(), "ﾌｧｲﾙ " + source + " は開けません");
}

TEST_F(FileCopyKeepDateTest, UncreatableTargetFailsToCreateWithTheTargetPath)
{
    const std::string source = MakeSource("ok", "data");
    const std::string target = folder / "no such folder\\target";
    EXPECT_EQ(FileCopyKeepDate(source, target).Message(), "ﾌｧｲﾙ " + target + " を作成できません");
    // The source was closed: it can be opened for writing again.
    UniqueHandle writer(CreateFileA(
        source.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    EXPECT_TRUE(writer);
}

TEST_F(FileCopyKeepDateTest, TargetThatIsAFolderFailsToCreate)
{
    // Read-only files are no test here: Wine maps them to Unix permissions,
    // which root (as in CI) may override.
    const std::string source = MakeSource("dir-src", "data");
    const std::string target = folder / "a folder";
    ASSERT_TRUE(CreateDirectoryA(target.c_str(), nullptr));
    EXPECT_EQ(FileCopyKeepDate(source, target).Message(), "ﾌｧｲﾙ " + target + " を作成できません");
}

TEST_F(FileCopyKeepDateTest, JapaneseNamesWithBackslashTrailBytesCopy)
{
    // 表 is 0x95 0x5C: a byte-wise path split would cut it in half.
    const std::string japaneseFolder = folder / "表示ソフト";
    ASSERT_TRUE(CreateDirectoryA(japaneseFolder.c_str(), nullptr));
    const std::string source = MakeSource("ｽｸﾘｰﾝｾｰﾊﾞｰ 省電力OFF.lnk", Pattern(40000));
    const std::string target = japaneseFolder + "\\表.lnk";

    ASSERT_TRUE(FileCopyKeepDate(source, target));
    EXPECT_EQ(ReadWholeFile(target), Pattern(40000));
    EXPECT_EQ(Ticks(LastWriteTime(target)), Ticks(evenDate));

    WIN32_FIND_DATAA found {};
    HANDLE search = FindFirstFileA((japaneseFolder + "\\*.lnk").c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    FindClose(search);
    EXPECT_EQ(std::string(found.cFileName), "表.lnk");
}

// Written anew and moved over the old file: an interrupted attempt's
// partial file refuses nothing, and none is left.
TEST_F(FileCopyKeepDateTest, ReplaceWritesANewFileOverTheOldOne)
{
    const std::string target = folder / "replaced";
    WriteWholeFile(target, "old");
    WriteWholeFile(target + ".new", "stale");
    const std::uint64_t old = FileIdentity(target);

    ASSERT_TRUE(ReplaceFileKeepDate(MakeSource("fresh", "fresh"), target));
    EXPECT_EQ(ReadWholeFile(target), "fresh");
    EXPECT_EQ(Ticks(LastWriteTime(target)), Ticks(evenDate));
    EXPECT_NE(FileIdentity(target), old);
    EXPECT_FALSE(FileExists(target + ".new"));
}

} // namespace
