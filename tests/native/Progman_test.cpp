#include "shell/Progman.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using Names = std::vector<std::string>;

std::string Bytes(std::initializer_list<unsigned char> bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

// The reply as a view that ends where the text ends, the zero byte included
// when the text has one.
Names Split(const std::string& reply)
{
    return SplitGroupNames(std::string_view(reply.data(), reply.size()));
}

TEST(SplitGroupNames, SplitsAtLineEndsWhetherOrNotTheLastNameHasOne)
{
    EXPECT_EQ(Split(std::string("A\r\nB\r\n\0", 7)), (Names { "A", "B" }));
    EXPECT_EQ(Split(std::string("A\r\nB\0", 5)), (Names { "A", "B" }));
    EXPECT_EQ(Split(std::string("Accessories\r\nStartup\r\n\0", 23)), (Names { "Accessories", "Startup" }));
}

TEST(SplitGroupNames, KeepsAnEmptyNameBeforeALeadingSeparator)
{
    EXPECT_EQ(Split(std::string("\r\nA\0", 4)), (Names { "", "A" }));
    EXPECT_EQ(Split(std::string("\nA\r\n\r\nB\0", 9)), (Names { "", "A", "B" }));
}

TEST(SplitGroupNames, GivesNoNamesForAnEmptyReply)
{
    EXPECT_EQ(Split(std::string("\0", 1)), Names {});
    EXPECT_EQ(SplitGroupNames(std::string_view()), Names {});
    EXPECT_EQ(Split(std::string("\0A\r\n", 4)), Names {});
}

TEST(SplitGroupNames, StopsAtTheFirstZeroByte)
{
    EXPECT_EQ(Split(std::string("A\r\n\0B\r\n\0", 8)), (Names { "A" }));
    EXPECT_EQ(Split(std::string("A\0B", 3)), (Names { "A" }));
}

TEST(SplitGroupNames, TakesBytesFromTwentyUpAsNameBytes)
{
    // The threshold is decimal 20, not the blank (32): 20 to 31 are name bytes.
    EXPECT_EQ(Split(Bytes({ 0x14, 0x41, 0x13, 0x42, 0x1F, 0x09, 0x20, 0x43, 0x00 })),
        (Names { Bytes({ 0x14, 0x41 }), Bytes({ 0x42, 0x1F }), Bytes({ 0x20, 0x43 }) }));
    EXPECT_EQ(Split(Bytes({ 0x13, 0x00 })), (Names { "" }));
    EXPECT_EQ(Split(Bytes({ 0x7F, 0x80, 0xFF, 0x01, 0x00 })), (Names { Bytes({ 0x7F, 0x80, 0xFF }) }));
    EXPECT_EQ(Split("My Group (2), old\r\n"), (Names { "My Group (2), old" }));
}

TEST(SplitGroupNames, KeepsDoubleByteNamesWhole)
{
    // 表 and ソ end in 0x5C, and ｽ is a half-width single byte.
    const std::string reply = std::string("テスト表グループ\r\nスタートアップ\r\nｽｸﾘｰﾝｾｰﾊﾞｰ ソ\r\n") + '\0';
    EXPECT_EQ(Split(reply), (Names { "テスト表グループ", "スタートアップ", "ｽｸﾘｰﾝｾｰﾊﾞｰ ソ" }));
    EXPECT_EQ(std::string("表"), Bytes({ 0x95, 0x5C }));
}

TEST(SplitGroupNames, ReadsNoFurtherThanTheEndOfAReplyWithoutZero)
{
    // Exactly sized heap blocks, so that the address sanitizer sees any read
    // past their ends.
    for (const std::string& text : { std::string("A\r\nB"), std::string("A\r\n"), std::string("AB"),
             std::string("\r\n"), std::string("テスト表") }) {
        const auto block = std::make_unique<char[]>(text.size());
        std::copy(text.begin(), text.end(), block.get());
        const Names names = SplitGroupNames(std::string_view(block.get(), text.size()));
        EXPECT_EQ(names, Split(text + '\0')) << text;
    }
}

TEST(SplitGroupNames, SplitsAMegabyteReply)
{
    std::string reply;
    Names expected;
    for (int i = 0; reply.size() < 1024 * 1024; ++i) {
        expected.push_back("グループ" + std::to_string(i));
        reply += expected.back() + "\r\n";
    }
    const auto block = std::make_unique<char[]>(reply.size());
    std::copy(reply.begin(), reply.end(), block.get());
    EXPECT_EQ(SplitGroupNames(std::string_view(block.get(), reply.size())), expected);
}

TEST(ProgmanCommands, PutGroupNamesInUnchanged)
{
    EXPECT_EQ(CreateGroupCommand("PALUN RUZI32"), "[CreateGroup(PALUN RUZI32)]\r\n");
    EXPECT_EQ(CreateGroupCommand("A,B)C\"D"), "[CreateGroup(A,B)C\"D)]\r\n");
    EXPECT_EQ(ShowGroupCommand("A,B)C"), "[ShowGroup(A,B)C,1)]\r\n");
    EXPECT_EQ(CreateGroupCommand("テスト表"), std::string("[CreateGroup(テスト表)]\r\n"));
    EXPECT_EQ(ShowGroupCommand(""), "[ShowGroup(,1)]\r\n");
}

TEST(ProgmanCommands, AddAndDeleteTheItemWithItsQuotedTitle)
{
    const std::string title = QuotedItemTitle("ｽｸﾘｰﾝｾｰﾊﾞｰ 省電力OFF");
    EXPECT_EQ(title, "\"ｽｸﾘｰﾝｾｰﾊﾞｰ 省電力OFF\"");
    EXPECT_EQ(title,
        Bytes({ '"', 0xBD, 0xB8, 0xD8, 0xB0, 0xDD, 0xBE, 0xB0, 0xCA, 0xDE, 0xB0, ' ', 0x8F, 0xC8, 0x93, 0x64,
            0x97, 0xCD, 'O', 'F', 'F', '"' }));
    EXPECT_EQ(AddItemCommand("C:\\PALUNP32\\DRIM32\\DRIM32.EXE", title),
        "[AddItem(\"C:\\PALUNP32\\DRIM32\\DRIM32.EXE\",\"ｽｸﾘｰﾝｾｰﾊﾞｰ 省電力OFF\")]\r\n");
    EXPECT_EQ(DeleteItemCommand(title), "[DeleteItem(\"ｽｸﾘｰﾝｾｰﾊﾞｰ 省電力OFF\")]\r\n");
}

TEST(ProgmanTexts, AreTheShiftJisBytes)
{
    EXPECT_EQ(DdeOpenFailedText,
        Bytes({ 'D', 'D', 'E', ':', 0x83, 0x49, 0x81, 0x5B, 0x83, 0x76, 0x83, 0x93, 0x82, 0xC9, 0x8E, 0xB8,
            0x94, 0x73, 0x82, 0xB5, 0x82, 0xDC, 0x82, 0xB5, 0x82, 0xBD, 0x81, 0x45, 0x81, 0x45, 0x81,
            0x45 }));
    EXPECT_EQ(DdeSendFailedText,
        Bytes({ 'D', 'D', 'E', ':', 0x91, 0x97, 0x90, 0x4D, 0x82, 0xC9, 0x8E, 0xB8, 0x94, 0x73, 0x82, 0xB5,
            0x82, 0xDC, 0x82, 0xB5, 0x82, 0xBD, 0x81, 0x45, 0x81, 0x45, 0x81, 0x45 }));
}

const std::string Programs = "C:\\users\\u\\Start Menu\\Programs";

TEST(StartupGroupFrom, TheMapGroupsValueDecidesWherePresent)
{
    const std::string startup = Programs + "\\StartUp";
    EXPECT_EQ(StartupGroupFrom(SettingValue::Text("スタートアップ"), startup, Programs), "スタートアップ");
    EXPECT_EQ(StartupGroupFrom(SettingValue::Text("StartUp"), "D:\\Elsewhere\\StartUp", Programs), "StartUp");
    // Another type, or longer than any folder name: no group at all.
    EXPECT_EQ(StartupGroupFrom(SettingValue::WrongType(), startup, Programs), "");
    EXPECT_EQ(StartupGroupFrom(SettingValue::Text(std::string(256, 'A')), startup, Programs), "");
    EXPECT_EQ(StartupGroupFrom(SettingValue::Text(std::string(255, 'A')), startup, Programs),
        std::string(255, 'A'));
}

TEST(StartupGroupFrom, WithoutTheValueTheStartupFolderDirectlyInProgramsNamesIt)
{
    for (const SettingValue& none : { SettingValue::Missing(), SettingValue::Text("") }) {
        EXPECT_EQ(StartupGroupFrom(none, Programs + "\\StartUp", Programs), "StartUp");
        // Letter case and trailing backslashes do not matter.
        EXPECT_EQ(StartupGroupFrom(none, "c:\\USERS\\U\\start menu\\programs\\Startup\\", Programs + "\\"),
            "Startup");
        EXPECT_EQ(StartupGroupFrom(none, Programs + "\\Sub\\StartUp", Programs), "");
        EXPECT_EQ(StartupGroupFrom(none, "C:\\users\\u\\Start Menu\\Programs2\\StartUp", Programs), "");
        EXPECT_EQ(StartupGroupFrom(none, "D:\\StartUp", Programs), "");
        EXPECT_EQ(StartupGroupFrom(none, "", Programs), "");
        EXPECT_EQ(StartupGroupFrom(none, Programs + "\\StartUp", ""), "");
        EXPECT_EQ(StartupGroupFrom(none, "StartUp", "StartUp"), "");
    }
}

TEST(StartupGroupFrom, ATrailByteOfABackslashNeverSeparates)
{
    // 表 is 0x95 0x5C.
    const SettingValue none = SettingValue::Missing();
    EXPECT_EQ(StartupGroupFrom(none, "C:\\プログラム\\表示", "C:\\プログラム"), "表示");
    EXPECT_EQ(StartupGroupFrom(none, "C:\\プログラム表\\起動表", "C:\\プログラム表"), "起動表");
    EXPECT_EQ(StartupGroupFrom(none, "C:\\プログラム表\\起動表\\", "C:\\プログラム表\\"), "起動表");
}

// What a late command leaves, read after Program Manager's time-out; file
// times count 100 ns units.
constexpr std::uint64_t Sent = 133'000'000'000'000'000ULL;
constexpr std::uint64_t TwoSeconds = 20'000'000ULL;

TEST(EffectShown, AGroupIsMadeWhenItsFolderIsThere)
{
    const ProgmanEffect made = ExpectedEffect(ProgmanEffectKind::GroupMade, Programs + "\\", "起動表");
    EXPECT_EQ(made.path, Programs + "\\起動表");
    EXPECT_TRUE(EffectShown(made, PathState { true, true, 0 }, Sent));
    EXPECT_FALSE(EffectShown(made, PathState { true, false, Sent }, Sent));
}

TEST(EffectShown, AnItemCountsOnlyWhenWrittenAfterTheCommandAndDeletedWhenGone)
{
    const ProgmanEffect written = ExpectedEffect(ProgmanEffectKind::ItemWritten, Programs, "G", "項目");
    EXPECT_EQ(written.path, Programs + "\\G\\項目.lnk");
    // Within FAT's two-second steps of the command, not a file of an earlier
    // installation.
    EXPECT_TRUE(EffectShown(written, PathState { true, false, Sent - TwoSeconds }, Sent));
    EXPECT_FALSE(EffectShown(written, PathState { true, false, Sent - TwoSeconds - 1 }, Sent));
    EXPECT_FALSE(EffectShown(written, PathState {}, Sent));
    const ProgmanEffect gone = ExpectedEffect(ProgmanEffectKind::ItemGone, Programs, "G", "項目");
    EXPECT_TRUE(EffectShown(gone, PathState {}, Sent));
    EXPECT_FALSE(EffectShown(gone, PathState { true, false, 0 }, Sent));
    // Without a Programs folder there is nothing to look for.
    EXPECT_FALSE(
        EffectShown(ExpectedEffect(ProgmanEffectKind::ItemGone, "", "G", "項目"), PathState {}, Sent));
}

} // namespace
