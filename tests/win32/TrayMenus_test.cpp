#include "TrayWindowProbe.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace TrayWindowProbe;

struct ExpectedItem {
    const char* name;
    std::string caption;
};

// Every item of the full menu in its order; the help item's caption depends
// on "Version" and is checked on its own.
const std::vector<ExpectedItem> FullMenu {
    { "P0", "ｽｸﾘｰﾝｾｰﾊﾞｰと、省電力機能を、ＯＦＦにする(&F)" },
    { "P1", "元に戻す　（SS_ON）(&N)" },
    { "POFF_TIMER", "時間を決めて、ＯＦＦにする(&T)" },
    { "PWATCH", "アプリの実行中は、ＯＦＦにする(&W)" },
    { "PAC_ONLY", "電源につないでいる時だけ、ＯＦＦにする(&P)" },
    { "N2", "-" },
    { "PST0", "自動立ち上げ(&A)" },
    { "PST1", "立ち上げ時、必ずＯＦＦにする(&C)" },
    { "N10", "-" },
    { "PMR_SS_SET", "スクリーンセーバーの設定(&G)" },
    { "N12", "-" },
    { "PMR_MYSOFT", "OFF_SS アイコンを表示する(&0)" },
    { "PMR_SS", "ON_SS  アイコンを表示する(&1)" },
    { "N4", "-" },
    { "MICON_SET", "アイコンを、スタートアップにも、登録する (&S)" },
    { "MICON_DEL", "アイコンを、スタートアップから、削除する (&S)" },
    { "MDESK_SET", "アイコンを、デスクトップにも、登録する (&D)" },
    { "MDESK_DEL", "アイコンを、デスクトップから、削除する (&D)" },
    { "N1", "-" },
    { "P5", "使い方　DRIM32.EXE V1.4 PALUN (&H)" },
    { "N7", "-" },
    { "P2", "終了(&X)" },
    { "N5", "-" },
    { "P3", "このメニューを閉じる(&Z)" },
};

const std::vector<ExpectedItem> ShortMenu {
    { "PML_OFF", "ｽｸﾘｰﾝｾｰﾊﾞｰ＆省電力ＯＦＦ(&F)" },
    { "PML_ON", "元に戻す （SS_ON）(&N)" },
    { "N3", "-" },
    { "K2", "このメニューを閉じる(&Z)" },
};

// What the system menu window shows: the items TrackPopupMenu got.
struct ShownItem {
    std::string caption; // "-" for a separator
    bool checked;
    bool grayed;
};

std::vector<ShownItem> ShownItems(HWND menuWindow)
{
    DWORD_PTR menu = 0;
    SendMessageTimeoutA(menuWindow, MenuWindowGetMenu, 0, 0, SMTO_NORMAL, SendTimeoutMs, &menu);
    std::vector<ShownItem> items;
    const auto handle = reinterpret_cast<HMENU>(menu);
    const int count = GetMenuItemCount(handle);
    for (int i = 0; i < count; ++i) {
        const UINT state = GetMenuState(handle, static_cast<UINT>(i), MF_BYPOSITION);
        if (state & MF_SEPARATOR) {
            items.push_back({ "-", false, false });
            continue;
        }
        char caption[256] = {};
        GetMenuStringA(handle, static_cast<UINT>(i), caption, sizeof caption, MF_BYPOSITION);
        items.push_back({ caption, (state & MF_CHECKED) != 0, (state & MF_GRAYED) != 0 });
    }
    return items;
}

// Opens a menu the way the tray's shell does, reads it from another thread
// while it is up and leaves it with `key` (a WM_CHAR access key, or Escape).
struct MenuRun {
    bool opened = false;
    std::vector<ShownItem> items;
    RECT bounds {};
};

MenuRun PressAndAnswer(TSDRIM32PALUN& tray, UINT mouseMessage, WPARAM key)
{
    MenuRun run;
    std::thread reader([&] {
        HWND menu = WaitForVisibleWindow(MenuClass, GetCurrentProcessId(), WindowAppearsMs);
        if (menu == nullptr)
            return;
        run.opened = true;
        run.items = ShownItems(menu);
        GetWindowRect(menu, &run.bounds);
        if (key == VK_ESCAPE)
            PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        else
            PostMessageA(menu, WM_CHAR, key, 0);
    });
    SendMessageA(TTaskTray::NotifyWindow(), TrayCallbackMessage,
        static_cast<WPARAM>(tray.TaskTray1().IconID()), static_cast<LPARAM>(mouseMessage));
    reader.join();
    return run;
}

std::string Shown(const std::vector<ShownItem>& items)
{
    std::string text;
    for (const ShownItem& item : items)
        text += item.caption + (item.checked ? " [v]" : "") + (item.grayed ? " [gray]" : "") + "\n";
    return text;
}

void ExpectItems(const PopupMenu& menu, const std::vector<ExpectedItem>& expected)
{
    ASSERT_EQ(menu.Items().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(menu.Items()[i]->Name(), expected[i].name);
        EXPECT_EQ(menu.Items()[i]->Caption(), expected[i].caption);
        EXPECT_EQ(menu.Items()[i]->IsSeparator(), expected[i].caption == "-");
    }
}

TEST_F(TrayWindowTest, FullMenuHasEveryCaptionByteForByteInItsOrder)
{
    Tray().PopupMenu1Popup();
    ExpectItems(Tray().PopupMenu1(), FullMenu);
}

TEST_F(TrayWindowTest, ShortMenuHasEveryCaptionByteForByteInItsOrder)
{
    Tray().PopupMenu2Popup();
    ExpectItems(Tray().PopupMenu2(), ShortMenu);
}

TEST_F(TrayWindowTest, FirstStartStateShowsOffTickedStartOptionsAndTheTrayPictures)
{
    Tray().PopupMenu1Popup();
    Tray().PopupMenu2Popup();
    EXPECT_TRUE(Item1("P0").Checked());
    EXPECT_FALSE(Item1("P1").Checked());
    EXPECT_TRUE(Item2("PML_OFF").Checked());
    EXPECT_FALSE(Item2("PML_ON").Checked());
    EXPECT_FALSE(Item1("PST0").Checked());
    EXPECT_TRUE(Item1("PST1").Checked());
    EXPECT_FALSE(Item1("PST1").Enabled());
    EXPECT_FALSE(Item1("PMR_MYSOFT").Checked());
    EXPECT_TRUE(Item1("PMR_SS").Checked());
    EXPECT_FALSE(Tray().Busy());
}

struct VersionCase {
    const char* label;
    std::optional<std::string> version; // nothing: the value is removed
    std::string caption;
};

class HelpCaptionTest : public TrayWindowTest, public ::testing::WithParamInterface<VersionCase> { };

TEST_P(HelpCaptionTest, IsReadFromVersionEachTimeTheMenuOpens)
{
    Tray().PopupMenu1Popup();
    if (GetParam().version)
        WriteValue(SettingsKeyPath, "Version", *GetParam().version);
    else
        RemoveValue(SettingsKeyPath, "Version");
    Tray().PopupMenu1Popup();
    EXPECT_EQ(Item1("P5").Caption(), GetParam().caption);
}

INSTANTIATE_TEST_SUITE_P(TrayMenus, HelpCaptionTest,
    ::testing::Values(VersionCase { "Installed", "14", "使い方　DRIM32.EXE V1.4 PALUN (&H)" },
        VersionCase { "Removed", std::nullopt, "使い方　DRIM32.EXE V?.? PALUN (&H)" },
        VersionCase { "Empty", "", "使い方　DRIM32.EXE V?.? PALUN (&H)" },
        VersionCase { "Letters", "1.4a", "使い方　DRIM32.EXE V?.? PALUN (&H)" },
        VersionCase { "TwoFiveFiveInHex", "$FF", "使い方　DRIM32.EXE V?.? PALUN (&H)" },
        VersionCase { "LeadingBlanks", "  20", "使い方　DRIM32.EXE V2.0 PALUN (&H)" },
        VersionCase { "OneDigit", "7", "使い方　DRIM32.EXE V0.7 PALUN (&H)" },
        VersionCase { "ThreeDigits", "123", "使い方　DRIM32.EXE V12.3 PALUN (&H)" },
        VersionCase { "Negative", "-14", "使い方　DRIM32.EXE V-1.-4 PALUN (&H)" }),
    LabelOfCase());

TEST_F(TrayWindowTest, ModeTicksFollowEveryModeCommandInBothMenus)
{
    WriteValue(SettingsKeyPath, "ONOFF", "0");
    const struct {
        const char* item;
        bool off;
    } steps[] = { { "P0", true }, { "PML_ON", false }, { "PML_OFF", true }, { "P1", false } };
    Tray().PopupMenu1Popup();
    EXPECT_TRUE(Item1("P1").Checked());
    for (const auto& step : steps) {
        SCOPED_TRACE(step.item);
        MenuItem* item = Tray().PopupMenu1().Find(step.item);
        (item != nullptr ? *item : Item2(step.item)).Click();
        Tray().PopupMenu1Popup();
        Tray().PopupMenu2Popup();
        EXPECT_EQ(Tray().Controller().ScreenSaverOff(), step.off);
        EXPECT_EQ(Item1("P0").Checked(), step.off);
        EXPECT_EQ(Item1("P1").Checked(), !step.off);
        EXPECT_EQ(Item2("PML_OFF").Checked(), step.off);
        EXPECT_EQ(Item2("PML_ON").Checked(), !step.off);
    }
}

TEST_F(TrayWindowTest, ATimerTicksItsEntryShowsTheTimeLeftAndEndsWithAModeCommand)
{
    WriteValue(SettingsKeyPath, "ONOFF", "0");
    Tray().PopupMenu1Popup();
    MenuItem& timer = Item1("POFF_TIMER");
    const std::vector<std::string> entries { "３０分(&1)", "１時間(&2)", "２時間(&3)", "４時間(&4)",
        "８時間(&5)" };
    ASSERT_EQ(timer.Items().size(), entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i)
        EXPECT_EQ(timer.Items()[i]->Caption(), entries[i]);
    timer.Items()[1]->Click();
    Tray().PopupMenu1Popup();
    EXPECT_TRUE(Tray().Controller().ScreenSaverOff());
    EXPECT_EQ(timer.Caption(), "時間を決めて、ＯＦＦにする（残り 1:00）(&T)");
    EXPECT_TRUE(timer.Items()[1]->Checked());
    EXPECT_FALSE(timer.Items()[0]->Checked());
    Item1("P0").Click();
    Tray().PopupMenu1Popup();
    EXPECT_EQ(timer.Caption(), "時間を決めて、ＯＦＦにする(&T)");
    EXPECT_FALSE(timer.Items()[1]->Checked());

    EXPECT_FALSE(Item1("PAC_ONLY").Checked());
    Item1("PAC_ONLY").Click();
    Tray().PopupMenu1Popup();
    EXPECT_TRUE(Item1("PAC_ONLY").Checked());
}

TEST_F(TrayWindowTest, IconSetTicksFollowMySoft)
{
    WriteValue(SettingsKeyPath, "MYSOFT", "7");
    Tray().PopupMenu1Popup();
    EXPECT_TRUE(Item1("PMR_MYSOFT").Checked());
    EXPECT_FALSE(Item1("PMR_SS").Checked());

    Item1("PMR_SS").Click();
    EXPECT_EQ(Tray().Controller().MySoft(), 0);
    Tray().PopupMenu1Popup();
    EXPECT_FALSE(Item1("PMR_MYSOFT").Checked());
    EXPECT_TRUE(Item1("PMR_SS").Checked());

    Item1("PMR_MYSOFT").Click();
    EXPECT_EQ(Tray().Controller().MySoft(), -1);
    Tray().PopupMenu1Popup();
    EXPECT_TRUE(Item1("PMR_MYSOFT").Checked());
    EXPECT_FALSE(Item1("PMR_SS").Checked());
}

TEST_F(TrayWindowTest, AutoStartEnablesAlwaysOffWhichKeepsItsOwnTick)
{
    MenuItem& pst0 = Item1("PST0");
    MenuItem& pst1 = Item1("PST1");
    ASSERT_FALSE(pst0.Checked());
    ASSERT_FALSE(pst1.Enabled());

    pst0.Click();
    EXPECT_TRUE(pst0.Checked());
    EXPECT_TRUE(pst1.Enabled());
    EXPECT_TRUE(pst1.Checked());

    pst1.Click();
    EXPECT_FALSE(pst1.Checked());

    pst0.Click();
    EXPECT_FALSE(pst0.Checked());
    EXPECT_FALSE(pst1.Enabled());
    EXPECT_FALSE(pst1.Checked());

    // The menu's opening recomputes other items, never these two.
    Tray().PopupMenu1Popup();
    EXPECT_FALSE(pst0.Checked());
    EXPECT_FALSE(pst1.Enabled());
}

TEST_F(TrayWindowTest, ShortcutItemsAreShownByTheExistenceOfTheirFiles)
{
    const auto expectShown = [&](bool desktopLink, bool startupLink) {
        Tray().PopupMenu1Popup();
        EXPECT_EQ(Item1("MDESK_SET").Visible(), !desktopLink);
        EXPECT_EQ(Item1("MDESK_DEL").Visible(), desktopLink);
        EXPECT_EQ(Item1("MICON_SET").Visible(), !startupLink);
        EXPECT_EQ(Item1("MICON_DEL").Visible(), startupLink);
    };
    expectShown(false, false);
    WriteWholeFile(DesktopLink(), "desktop");
    expectShown(true, false);
    WriteWholeFile(StartupLink(), "startup");
    expectShown(true, true);
    ASSERT_TRUE(DeleteFileA(DesktopLink().c_str()));
    expectShown(false, true);
    ASSERT_TRUE(DeleteFileA(StartupLink().c_str()));
    expectShown(false, false);
}

TEST_F(TrayWindowTest, DesktopSetCopiesTheGroupsShortcutWithItsDateAndDeleteRemovesIt)
{
    const std::string contents("L\0\0\0 shortcut bytes \x81\x5C", 22);
    WriteWholeFile(GroupLink(), contents);
    const FILETIME stamp = FileTimeFromLocal(2001, 2, 3, 4, 5, 6);
    SetLastWriteTime(GroupLink(), stamp);

    Tray().PopupMenu1Popup();
    Item1("MDESK_SET").Click();
    ASSERT_TRUE(FileExists(DesktopLink()));
    EXPECT_EQ(ReadWholeFile(DesktopLink()), contents);
    EXPECT_TRUE(SameTime(LastWriteTime(DesktopLink()), stamp));
    EXPECT_TRUE(FileExists(GroupLink()));
    Tray().PopupMenu1Popup();
    EXPECT_TRUE(Item1("MDESK_DEL").Visible());

    Item1("MDESK_DEL").Click();
    EXPECT_FALSE(FileExists(DesktopLink()));
    Tray().PopupMenu1Popup();
    EXPECT_TRUE(Item1("MDESK_SET").Visible());
    EXPECT_EQ(created_.Count(OptionBoxClass), 0);
    EXPECT_FALSE(Tray().Busy());
}

TEST_F(TrayWindowTest, DesktopSetWithoutTheGroupsShortcutShowsTheFourLineFailure)
{
    Tray().PopupMenu1Popup();
    BoxCloser closer;
    Item1("MDESK_SET").Click();
    EXPECT_EQ(closer.Text(),
        "ｽｸﾘｰﾝｾｰﾊﾞｰ 省電力OFF\r\n" + GroupLink() + "\r\n" + DesktopLink() + "\r\n"
            + "デスクトップへの登録に失敗しました・・・");
    EXPECT_FALSE(FileExists(DesktopLink()));
    EXPECT_FALSE(Tray().Busy());
}

TEST_F(TrayWindowTest, DesktopSetOverAnExistingShortcutSaysSoAndRefusesPressesMeanwhile)
{
    WriteWholeFile(GroupLink(), "group");
    WriteWholeFile(DesktopLink(), "already there");
    int fullMenuOpenings = 0;
    int shortMenuOpenings = 0;
    Tray().PopupMenu1().OnPopup = [&] {
        ++fullMenuOpenings;
        Tray().PopupMenu1Popup();
    };
    Tray().PopupMenu2().OnPopup = [&] {
        ++shortMenuOpenings;
        Tray().PopupMenu2Popup();
    };
    HWND notify = TTaskTray::NotifyWindow();
    ASSERT_NE(notify, nullptr);
    const auto iconID = static_cast<WPARAM>(Tray().TaskTray1().IconID());

    std::atomic<int> answeredPresses = 0;
    std::atomic<bool> menuSeen = false;
    BoxCloser closer([&](HWND) {
        for (const UINT press : { WM_RBUTTONDOWN, WM_LBUTTONDOWN }) {
            DWORD_PTR result = 0;
            if (SendMessageTimeoutA(
                    notify, TrayCallbackMessage, iconID, press, SMTO_NORMAL, SendTimeoutMs, &result))
                ++answeredPresses;
            if (HWND menu = WaitForVisibleWindow(MenuClass, GetCurrentProcessId(), 300)) {
                menuSeen = true;
                PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
            }
        }
    });
    Item1("MDESK_SET").Click();

    EXPECT_EQ(closer.Text(), "デスクトップには、既に登録されています☆☆☆");
    EXPECT_EQ(answeredPresses, 2) << "a press while the box is open must return at once";
    EXPECT_FALSE(menuSeen);
    EXPECT_EQ(fullMenuOpenings, 0);
    EXPECT_EQ(shortMenuOpenings, 0);
    EXPECT_EQ(created_.Count(MenuClass), 0);
    EXPECT_EQ(ReadWholeFile(DesktopLink()), "already there");
    EXPECT_FALSE(Tray().Busy());
}

TEST_F(TrayWindowTest, StartupItemWithoutAStartupGroupSaysSo)
{
    Tray().PopupMenu1Popup();
    BoxCloser closer;
    Item1("MICON_SET").Click();
    EXPECT_EQ(closer.Text(), "ｱｲｺﾝ:スタートアップグループが不明ですので アイコン登録出来ません");
    EXPECT_FALSE(Tray().Busy());
}

TEST_F(TrayWindowTest, RightPressShowsTheFullMenuAsBuiltAndEscapeChoosesNothing)
{
    WriteWholeFile(DesktopLink(), "desktop");
    WriteValue(SettingsKeyPath, "START", "1");
    WriteValue(SettingsKeyPath, "HOZON", "0");
    const MenuRun run = PressAndAnswer(Tray(), WM_RBUTTONDOWN, VK_ESCAPE);
    ASSERT_TRUE(run.opened);
    const std::vector<ShownItem> expected {
        { "ｽｸﾘｰﾝｾｰﾊﾞｰと、省電力機能を、ＯＦＦにする(&F)", false, false },
        { "元に戻す　（SS_ON）(&N)", true, false },
        { "時間を決めて、ＯＦＦにする(&T)", false, false },
        { "アプリの実行中は、ＯＦＦにする(&W)", false, false },
        { "電源につないでいる時だけ、ＯＦＦにする(&P)", false, false },
        { "-", false, false },
        { "自動立ち上げ(&A)", true, false },
        { "立ち上げ時、必ずＯＦＦにする(&C)", false, false },
        { "-", false, false },
        { "スクリーンセーバーの設定(&G)", false, false },
        { "-", false, false },
        { "OFF_SS アイコンを表示する(&0)", false, false },
        { "ON_SS  アイコンを表示する(&1)", true, false },
        { "-", false, false },
        { "アイコンを、スタートアップにも、登録する (&S)", false, false },
        { "アイコンを、デスクトップから、削除する (&D)", false, false },
        { "-", false, false },
        { "使い方　DRIM32.EXE V1.4 PALUN (&H)", false, false },
        { "-", false, false },
        { "終了(&X)", false, false },
        { "-", false, false },
        { "このメニューを閉じる(&Z)", false, false },
    };
    EXPECT_EQ(Shown(run.items), Shown(expected));
    EXPECT_FALSE(Tray().Busy());
    EXPECT_TRUE(FileExists(DesktopLink()));
    EXPECT_FALSE(Tray().Controller().ScreenSaverOff());
    EXPECT_TRUE(IsWindow(Tray().Handle()));
}

TEST_F(TrayWindowTest, LeftPressShowsTheShortMenuAndItsAccessKeyRunsTheCommand)
{
    WriteValue(SettingsKeyPath, "ONOFF", "0");
    const MenuRun run = PressAndAnswer(Tray(), WM_LBUTTONDOWN, 'F');
    ASSERT_TRUE(run.opened);
    const std::vector<ShownItem> expected {
        { "ｽｸﾘｰﾝｾｰﾊﾞｰ＆省電力ＯＦＦ(&F)", false, false },
        { "元に戻す （SS_ON）(&N)", true, false },
        { "-", false, false },
        { "このメニューを閉じる(&Z)", false, false },
    };
    EXPECT_EQ(Shown(run.items), Shown(expected));
    EXPECT_TRUE(Tray().Controller().ScreenSaverOff());
    EXPECT_FALSE(Tray().Busy());
}

TEST_F(TrayWindowTest, ItemsBehindHiddenOnesRunTheirOwnCommand)
{
    WriteWholeFile(GroupLink(), "group");
    const MenuRun run = PressAndAnswer(Tray(), WM_RBUTTONDOWN, 'D');
    ASSERT_TRUE(run.opened);
    EXPECT_EQ(ReadWholeFile(DesktopLink()), "group");
}

TEST_F(TrayWindowTest, MiddlePressOpensNothing)
{
    bool opened = false;
    Tray().PopupMenu1().OnPopup = [&] { opened = true; };
    Tray().PopupMenu2().OnPopup = [&] { opened = true; };
    SendMessageA(TTaskTray::NotifyWindow(), TrayCallbackMessage,
        static_cast<WPARAM>(Tray().TaskTray1().IconID()), WM_MBUTTONDOWN);
    EXPECT_FALSE(opened);
    EXPECT_EQ(created_.Count(MenuClass), 0);
    EXPECT_FALSE(Tray().Busy());
}

TEST_F(TrayWindowTest, ExitSavesTheFourValuesAndClosesTheWindow)
{
    WriteValue(SettingsKeyPath, "MYSOFT", "7");
    Item1("PST0").Click();
    Item1("PST1").Click();
    Item2("PML_ON").Click();
    Item1("P2").Click();
    EXPECT_EQ(Tray().Handle(), nullptr);
    EXPECT_FALSE(Tray().TaskTray1().Registered());
    EXPECT_EQ(ReadValue("ONOFF"), "0");
    EXPECT_EQ(ReadValue("START"), "1");
    EXPECT_EQ(ReadValue("HOZON"), "0");
    EXPECT_EQ(ReadValue("MYSOFT"), "7");
    EXPECT_EQ(ReadValue("Version"), "14");
}

} // namespace
