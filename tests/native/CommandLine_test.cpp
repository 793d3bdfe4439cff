#include "app/CommandLine.h"
#include "text/PathParts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Arguments = std::vector<std::string>;

TEST(SplitCommandLine, BlanksSeparateOnce)
{
    EXPECT_EQ(
        SplitCommandLine("C:\\DRIM32\\DRIM32.EXE /off"), (Arguments { "C:\\DRIM32\\DRIM32.EXE", "/off" }));
    EXPECT_EQ(SplitCommandLine("a   b\t\tc \t d"), (Arguments { "a", "b", "c", "d" }));
    EXPECT_EQ(SplitCommandLine("  a b  \t "), (Arguments { "a", "b" }));
    EXPECT_EQ(SplitCommandLine(""), Arguments {});
    EXPECT_EQ(SplitCommandLine(" \t "), Arguments {});
}

TEST(SplitCommandLine, QuotesGroupBlanksAndAreRemoved)
{
    EXPECT_EQ(SplitCommandLine("\"C:\\Program Files\\D.EXE\" \"/o ff\""),
        (Arguments { "C:\\Program Files\\D.EXE", "/o ff" }));
    EXPECT_EQ(SplitCommandLine("p a\"b c\"d e"), (Arguments { "p", "ab cd", "e" }));
    EXPECT_EQ(SplitCommandLine("p \"a\"\"b\""), (Arguments { "p", "ab" }));
    EXPECT_EQ(SplitCommandLine("p \"\ta b"), (Arguments { "p", "\ta b" }));
}

TEST(SplitCommandLine, EmptyQuotesMakeAnEmptyArgument)
{
    EXPECT_EQ(SplitCommandLine("p \"\" /off"), (Arguments { "p", "", "/off" }));
    EXPECT_EQ(SplitCommandLine("p \"\""), (Arguments { "p", "" }));
    EXPECT_EQ(SplitCommandLine("p \""), (Arguments { "p", "" }));
}

TEST(SplitCommandLine, KeepsLongAndJapaneseArgumentsWhole)
{
    const std::string longArgument(300, 'x');
    EXPECT_EQ(SplitCommandLine("p " + longArgument + " y"), (Arguments { "p", longArgument, "y" }));

    // 表 ends in 0x5C and ソ (0x83 0x5C) likewise; neither byte may split or
    // escape anything.
    EXPECT_EQ(SplitCommandLine("\"C:\\表\\ソフト.EXE\" 表 \"設定 ソ\" ｽｸﾘｰﾝ"),
        (Arguments { "C:\\表\\ソフト.EXE", "表", "設定 ソ", "ｽｸﾘｰﾝ" }));
}

TEST(Argument, MissingArgumentIsEmpty)
{
    const Arguments arguments { "p", "/off" };
    EXPECT_EQ(Argument(arguments, 0), "p");
    EXPECT_EQ(Argument(arguments, 1), "/off");
    EXPECT_EQ(Argument(arguments, 2), "");
    EXPECT_EQ(Argument({}, 0), "");
}

TEST(FileNamePart, TakesThePartAfterTheLastSeparator)
{
    EXPECT_EQ(FileNamePart("C:\\PALUNP32\\DRIM32\\DRIM32.EXE"), "DRIM32.EXE");
    EXPECT_EQ(FileNamePart("C:\\WINDOWS\\UNIN_PALUN000.EXE"), "UNIN_PALUN000.EXE");
    EXPECT_EQ(FileNamePart("DRIM32.EXE"), "DRIM32.EXE");
    EXPECT_EQ(FileNamePart("C:\\DIR\\"), "");
    EXPECT_EQ(FileNamePart(""), "");
}

TEST(FileNamePart, TrailByte5CIsNoSeparator)
{
    EXPECT_EQ(FileNamePart("C:\\表\\表.EXE"), "表.EXE");
    EXPECT_EQ(FileNamePart("C:\\DIR\\ソ表"), "ソ表");
    EXPECT_EQ(FileNamePart("表"), "表");
}

} // namespace
