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

TEST(WatchListIndex, FindsANameWithoutRegardToCase)
{
    const WatchList list { "b.exe", "a.exe" };
    EXPECT_EQ(WatchListIndex(list, "A.EXE"), 1u);
    EXPECT_EQ(WatchListIndex(list, "b.exe"), 0u);
    EXPECT_EQ(WatchListIndex(list, "x.exe"), 2u);
    // A double-byte character's second byte is never folded as a letter.
    EXPECT_FALSE(SameProgramName("\x83\x41.exe", "\x83\x61.exe"));
}

int AsciiOrder(std::string_view a, std::string_view b)
{
    const std::string x = CaseConvert(a, true);
    const std::string y = CaseConvert(b, true);
    return x < y ? -1 : (x == y ? 0 : 1);
}

std::vector<std::string> Captions(const WatchList& watched, const WindowList& windows)
{
    std::vector<std::string> captions;
    const WatchList names = WatchMenuNames(watched, windows, "drim32.exe", AsciiOrder);
    for (std::size_t i = 0; i < names.size(); ++i)
        captions.push_back(
            names[i] + "=" + WatchMenuCaption(names[i], windows) + (i < watched.size() ? " [x]" : ""));
    return captions;
}

TEST(WatchMenuEntries, WatchedFirstThenEachProgramOnceSorted)
{
    const WindowList windows { { "zed.exe", "Explorer.EXE", "beta.exe", "ALPHA.exe", "beta.exe", "DRIM32.EXE",
                                   "watched.exe", "", "c:x.exe" },
        { "Zed", "Desktop", "Top", "A", "Second", "Box", "W", "Gone", "Path" } };
    EXPECT_EQ(Captions({ "watched.exe", "gone.exe" }, windows),
        (std::vector<std::string> { "gone.exe=gone.exe [x]", "watched.exe=watched.exe　W [x]",
            "ALPHA.exe=ALPHA.exe　A", "beta.exe=beta.exe　Top", "zed.exe=zed.exe　Zed" }));
}

TEST(WatchMenuEntries, CutsTitlesAtTwentyFourCharactersAndDoublesAmpersands)
{
    EXPECT_EQ(Captions({}, { { "R&D.exe" }, { "表&" + std::string(30, 'x') } }),
        (std::vector<std::string> { "R&D.exe=R&&D.exe　表&&" + std::string(22, 'x') }));
}

TEST(WatchMenuEntries, ListsAtMostTwenty)
{
    WindowList windows;
    for (int i = 0; i < 30; ++i) {
        windows.files.push_back(std::to_string(100 + i) + ".exe");
        windows.titles.push_back("t");
    }
    const std::vector<std::string> captions = Captions({ "999.exe" }, windows);
    ASSERT_EQ(captions.size(), 20u);
    EXPECT_EQ(captions.front(), "999.exe=999.exe [x]");
    EXPECT_EQ(captions.back(), "118.exe=118.exe　t");
}

} // namespace
