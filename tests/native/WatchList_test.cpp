#include "tray/WatchList.h"
#include "tray/WatchMenu.h"

#include "text/M_Case.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct WatchParseCase {
    SettingValue stored;
    WatchList expected;
};

TEST(ParseWatchList, KeepsUsableNamesInStoredOrder)
{
    const std::string longest(64, 'a');
    const WatchParseCase cases[] = {
        { SettingValue::Missing(), {} },
        { SettingValue::WrongType(), {} },
        { SettingValue::Text(""), {} },
        { SettingValue::Text("b.exe|A.EXE"), { "b.exe", "A.EXE" } },
        { SettingValue::Text("||a.exe|"), { "a.exe" } },
        { SettingValue::Text("a.exe|A.exe|b.exe"), { "a.exe", "b.exe" } },
        { SettingValue::Text("c:x.exe|d\\y.exe|e/z.exe|ok.exe"), { "ok.exe" } },
        // 表 ends in 0x5C, which is no backslash of its own.
        { SettingValue::Text("表.exe"), { "表.exe" } },
        { SettingValue::Text(longest + "|" + longest + "a|x"), { longest, "x" } },
    };
    for (const WatchParseCase& c : cases)
        EXPECT_EQ(ParseWatchList(c.stored), c.expected) << c.stored.text;
}

TEST(ParseWatchList, KeepsTheFirstTwentyAndWritesThemBack)
{
    std::string stored;
    for (int i = 0; i < 25; ++i)
        stored += std::to_string(i) + ".exe|";
    const WatchList list = ParseWatchList(SettingValue::Text(stored));
    ASSERT_EQ(list.size(), 20u);
    EXPECT_EQ(list.back(), "19.exe");
    EXPECT_EQ(WatchListText(list), stored.substr(0, stored.find("20.exe") - 1));
    EXPECT_EQ(WatchListText({}), "");
}

TEST(ToggleWatched, AddsAtTheEndOrRemovesWithoutRegardToCase)
{
    WatchList list { "a.exe" };
    ToggleWatched(list, "B.exe");
    EXPECT_EQ(list, (WatchList { "a.exe", "B.exe" }));
    ToggleWatched(list, "A.EXE");
    EXPECT_EQ(list, (WatchList { "B.exe" }));
    ToggleWatched(list, "x:y.exe");
    EXPECT_EQ(list, (WatchList { "B.exe" }));
    WatchList full(20, "");
    for (std::size_t i = 0; i < full.size(); ++i)
        full[i] = std::to_string(i);
    ToggleWatched(full, "more.exe");
    EXPECT_EQ(full.size(), 20u);
}

TEST(FirstRunningWatched, FollowsTheStoredOrder)
{
    const WatchList list { "b.exe", "a.exe" };
    EXPECT_EQ(FirstRunningWatched(list, { "A.EXE", "x.exe", "B.exe" }), "b.exe");
    EXPECT_EQ(FirstRunningWatched(list, { "a.exe" }), "a.exe");
    EXPECT_EQ(FirstRunningWatched(list, { "x.exe" }), "");
    // A double-byte character's second byte is never folded as a letter.
    EXPECT_FALSE(SameProgramName("\x83\x41.exe", "\x83\x61.exe"));
}

TEST(WatchReason, CutsTheNameSoTheTipFitsSixtyThreeBytes)
{
    const std::string base = "DRIM32 - SS_OFF";
    EXPECT_EQ(WatchReason(base, "a.exe"), "（a.exe 実行中）");
    // 63 - 15 - 2 - 9 = 37 bytes of the name.
    const std::string tip = base + WatchReason(base, std::string(60, 'n'));
    EXPECT_EQ(tip, base + "（" + std::string(37, 'n') + " 実行中）");
    EXPECT_EQ(tip.size(), 63u);
    EXPECT_EQ(WatchReason(base, std::string(36, 'n') + "表"), "（" + std::string(36, 'n') + " 実行中）");
}

int AsciiOrder(std::string_view a, std::string_view b)
{
    const std::string x = CaseConvert(a, true);
    const std::string y = CaseConvert(b, true);
    return x < y ? -1 : (x == y ? 0 : 1);
}

std::vector<std::string> Captions(const std::vector<WatchMenuEntry>& entries)
{
    std::vector<std::string> captions;
    for (const WatchMenuEntry& entry : entries)
        captions.push_back(entry.caption + (entry.checked ? " [x]" : ""));
    return captions;
}

TEST(WatchMenuEntries, WatchedFirstThenEachProgramOnceSorted)
{
    const std::vector<WindowedProgram> windows { { "zed.exe", "Zed" }, { "Explorer.EXE", "Desktop" },
        { "beta.exe", "Top" }, { "ALPHA.exe", "A" }, { "beta.exe", "Second" }, { "DRIM32.EXE", "Box" },
        { "watched.exe", "W" } };
    const auto entries = WatchMenuEntries({ "watched.exe", "gone.exe" }, windows, "drim32.exe", AsciiOrder);
    EXPECT_EQ(Captions(entries),
        (std::vector<std::string> {
            "gone.exe [x]", "watched.exe　W [x]", "ALPHA.exe　A", "beta.exe　Top", "zed.exe　Zed" }));
    EXPECT_EQ(entries[3].name, "beta.exe");
}

TEST(WatchMenuEntries, CutsTitlesAtTwentyFourCharactersAndDoublesAmpersands)
{
    const std::string title = "表&" + std::string(30, 'x');
    const auto entries = WatchMenuEntries({}, { { "R&D.exe", title } }, "", AsciiOrder);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].caption, "R&&D.exe　表&&" + std::string(22, 'x'));
    EXPECT_EQ(entries[0].name, "R&D.exe");
}

TEST(WatchMenuEntries, ListsAtMostTwenty)
{
    std::vector<WindowedProgram> windows;
    for (int i = 0; i < 30; ++i)
        windows.push_back({ std::to_string(100 + i) + ".exe", "t" });
    const auto entries = WatchMenuEntries({ "999.exe" }, windows, "", AsciiOrder);
    ASSERT_EQ(entries.size(), 20u);
    EXPECT_EQ(entries.front().caption, "999.exe");
    EXPECT_EQ(entries.back().caption, "118.exe　t");
}

} // namespace
