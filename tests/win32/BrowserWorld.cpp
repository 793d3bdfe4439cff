// The folder browser driven from outside its modal loop, in a prefix whose
// drives BrowserWorld.sh arranged: a: removable without a medium, c: the
// Windows drive, d: a fixed drive without a label.

#include "BoxDriving.h"

#include "browser/Dopendlg.h"
#include "gui/Look.h"
#include "text/M_Case.h"
#include "text/YeNADDCUT.h"

#include <gtest/gtest.h>

#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr char BrowserClass[] = "TDIRVIEWForm";
constexpr char OwnCaption[] = " フォルダーの参照";
constexpr DWORD NavigationTimeout = 10000;

const std::string DriveErrorText = "ドライブ・エラー発生\r\n元のドライブに戻します";

struct FolderItem {
    std::string text;
    LRESULT level;
};

// The browser's controls, told apart by their place in the layout.
struct BrowserControls {
    HWND folders = nullptr; // ListBox1 at 8, 40
    HWND files = nullptr; // ListBox4 at 160, 40
    HWND drives = nullptr; // ComboBox2 at 8, 8
    HWND chosen = nullptr; // Label2 at 8, 152
};

BrowserControls ControlsOf(HWND view)
{
    BrowserControls controls;
    for (HWND child = GetWindow(view, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const RECT rect = RectInParent(child, view);
        const std::string kind = CaseLower(ClassOf(child));
        if (kind == "listbox")
            (rect.left < 100 ? controls.folders : controls.files) = child;
        else if (kind == "combobox")
            controls.drives = child;
        else if (kind == "static" && rect.top > 140)
            controls.chosen = child;
    }
    return controls;
}

std::vector<FolderItem> FolderItems(HWND list)
{
    std::vector<FolderItem> items;
    const auto count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::string text(static_cast<std::size_t>(SendMessageA(list, LB_GETTEXTLEN, i, 0)) + 1, '\0');
        text.resize(static_cast<std::size_t>(
            SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()))));
        items.push_back({ text, SendMessageA(list, LB_GETITEMDATA, i, 0) });
    }
    return items;
}

std::vector<std::string> DriveTexts(HWND combo)
{
    std::vector<std::string> texts;
    const auto count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::string text(static_cast<std::size_t>(SendMessageA(combo, CB_GETLBTEXTLEN, i, 0)) + 1, '\0');
        text.resize(static_cast<std::size_t>(
            SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()))));
        texts.push_back(text);
    }
    return texts;
}

int DriveIndex(HWND combo, char letter)
{
    const std::vector<std::string> texts = DriveTexts(combo);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (!texts[i].empty() && texts[i][0] == letter)
            return static_cast<int>(i);
    }
    return -1;
}

// Chooses a drive as the user does: the selection moves, and the window
// hears of it.  Posted, because the window may answer with a modal box.
void ChooseDrive(HWND view, HWND combo, char letter)
{
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(DriveIndex(combo, letter)), 0);
    PostMessageA(
        view, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

bool ChosenBecomes(HWND label, const std::string& folder)
{
    return WaitUntil([&] { return WindowText(label) == folder; }, NavigationTimeout);
}

// Closes the browser if the script ends early, so that Execute returns.
struct CloseWhenDone {
    HWND view;
    ~CloseWhenDone()
    {
        if (IsWindow(view))
            SendCloseCommand(view);
    }
};

std::string ProgramFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return YenCut(folder.substr(0, folder.find_last_of('\\') + 1));
}

// The colour the window gives a list to paint its background with.
COLORREF ListBackground(HWND view, HWND list)
{
    const HDC dc = GetDC(list);
    SendMessageA(view, WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(list));
    const COLORREF colour = GetBkColor(dc);
    ReleaseDC(list, dc);
    return colour;
}

class BrowserWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite() { InitializeTestApplication(); }
};

TEST_F(BrowserWindow, LevelsKeysDrivesAndCancel)
{
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string system = CaseLower(windows) + "\\system";
    // A hidden folder and file, to be left out of the folder list and kept
    // in the file list.
    const std::string hidden = system + "\\zz-hidden";
    const std::string shown = system + "\\aa-shown";
    CreateDirectoryA(shown.c_str(), nullptr);
    const std::string hiddenFile = system + "\\zz-hidden.txt";
    CreateDirectoryA(hidden.c_str(), nullptr);
    CloseHandle(CreateFileA(
        hiddenFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_HIDDEN, nullptr));
    SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN);
    const bool attributesKept = (GetFileAttributesA(hidden.c_str()) & FILE_ATTRIBUTE_HIDDEN) != 0;

    TDIROPENDLG dlg;
    dlg.Title = "登録先";
    dlg.Directory = CaseConvert(system, false) + "\\";
    std::string result = "sentinel";
    {
        BoxObserver observer([&] {
            const HWND view = WaitForBox(BrowserClass);
            ASSERT_NE(view, nullptr);
            const CloseWhenDone closer { view };
            const BrowserControls controls = ControlsOf(view);
            ASSERT_TRUE(controls.folders && controls.files && controls.drives && controls.chosen);
            EXPECT_EQ(WindowText(view), std::string("登録先") + OwnCaption);
            EXPECT_EQ(WindowText(controls.chosen), system);

            const std::vector<FolderItem> items = FolderItems(controls.folders);
            ASSERT_GE(items.size(), 4U);
            EXPECT_EQ(items[0].text, system.substr(0, 3));
            EXPECT_EQ(items[1].text, "windows");
            EXPECT_EQ(items[2].text, "system");
            for (std::size_t i = 0; i < items.size(); ++i) {
                EXPECT_EQ(items[i].level, static_cast<LRESULT>(std::min<std::size_t>(i, 3))) << items[i].text;
                EXPECT_NE(items[i].text, "zz-hidden") << "a hidden folder is listed";
            }
            EXPECT_EQ(SendMessageA(controls.folders, LB_GETCURSEL, 0, 0), 2);
            EXPECT_EQ(ListBackground(view, controls.folders), GetSysColor(COLOR_WINDOW));
            const std::string files = WindowText(controls.files);
            const auto fileIndex = SendMessageA(controls.files, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                reinterpret_cast<LPARAM>("zz-hidden.txt"));
            EXPECT_NE(fileIndex, LB_ERR) << "a hidden file is missing from the file list";
            Sleep(SymbolDrawnDelay);
            std::cout << "screenshot: " << SaveScreenshot(view, "Browser_WindowsSystem") << "\n";

            // Down opens the first subfolder at once; Up goes back.
            PressKey(BoxObserver::MainThread(), VK_DOWN);
            EXPECT_TRUE(ChosenBecomes(controls.chosen, system + "\\" + items[3].text));
            PressKey(BoxObserver::MainThread(), VK_UP);
            EXPECT_TRUE(ChosenBecomes(controls.chosen, system));

            // No medium in a: the message with its countdown, then back to
            // the folder of the file list.
            ASSERT_GE(DriveIndex(controls.drives, 'a'), 0) << "Wine did not list the removable drive";
            ChooseDrive(view, controls.drives, 'a');
            const HWND box = WaitForBox(PalunBoxClass);
            ASSERT_NE(box, nullptr);
            const BoxView message = ReadBox(box);
            ASSERT_TRUE(message.Memo());
            EXPECT_EQ(message.Memo()->text, DriveErrorText);
            EXPECT_EQ(message.caption, "登録先");
            EXPECT_TRUE(message.CountLabel() && message.CountLabel()->visible) << "no countdown";
            PressKey(BoxObserver::MainThread(), VK_RETURN);
            EXPECT_TRUE(WaitUntilGone(box));
            EXPECT_TRUE(ChosenBecomes(controls.chosen, system));
            EXPECT_TRUE(WaitUntil(
                [&] {
                    return SendMessageA(controls.drives, CB_GETCURSEL, 0, 0)
                        == DriveIndex(controls.drives, 'c');
                },
                NavigationTimeout));

            // d: has no label; c: lists the folder last visited there.
            ChooseDrive(view, controls.drives, 'd');
            EXPECT_TRUE(ChosenBecomes(controls.chosen, "d:\\"));
            EXPECT_EQ(
                DriveTexts(controls.drives).at(static_cast<std::size_t>(DriveIndex(controls.drives, 'd'))),
                "d:[]");
            ChooseDrive(view, controls.drives, 'c');
            EXPECT_TRUE(ChosenBecomes(controls.chosen, system));
            EXPECT_TRUE(BoxWindows(PalunBoxClass).empty());

            PressKey(BoxObserver::MainThread(), VK_ESCAPE);
            EXPECT_TRUE(WaitUntilGone(view));
        });
        const Result<std::string> chosen = dlg.Execute();
        result = chosen ? *chosen : "failed: " + chosen.Message();
    }
    EXPECT_EQ(result, "");
    if (!attributesKept)
        std::cout << "the file system keeps no hidden attribute here; the hidden cases say little\n";
    RemoveDirectoryA(hidden.c_str());
    RemoveDirectoryA(shown.c_str());
    DeleteFileA(hiddenFile.c_str());
}

TEST_F(BrowserWindow, MissingFolderOpensOnTheProgramsFolderAndARootComesBackWhole)
{
    TDIROPENDLG dlg;
    dlg.Directory = "C:\\PALUNP32\\DRIM32-not-created";
    dlg.StandardColor = false;
    std::string result;
    const std::string own = CaseLower(ProgramFolder());
    {
        BoxObserver observer([&] {
            const HWND view = WaitForBox(BrowserClass);
            ASSERT_NE(view, nullptr);
            const CloseWhenDone closer { view };
            const BrowserControls controls = ControlsOf(view);
            EXPECT_EQ(WindowText(view), std::string(TestApplicationTitle) + OwnCaption);
            EXPECT_EQ(WindowText(controls.chosen), own);
            EXPECT_TRUE(BoxWindows(PalunBoxClass).empty()) << "a missing folder gave a message";
            // Without the standard colour the lists take the window's own.
            EXPECT_EQ(ListBackground(view, controls.folders), FormBackgroundColor());
            EXPECT_EQ(ListBackground(view, controls.files), FormBackgroundColor());

            PressKey(BoxObserver::MainThread(), VK_HOME);
            EXPECT_TRUE(ChosenBecomes(controls.chosen, own.substr(0, 3)));
            PressKey(BoxObserver::MainThread(), VK_RETURN);
            EXPECT_TRUE(WaitUntilGone(view));
        });
        const Result<std::string> chosen = dlg.Execute();
        result = chosen ? *chosen : "failed: " + chosen.Message();
    }
    EXPECT_EQ(result, own.substr(0, 3));
    EXPECT_EQ(result.size(), 3U);
}

// "中止" ends the browser without a folder, as Esc does.
TEST_F(BrowserWindow, CancelButtonEndsWithoutAFolder)
{
    TDIROPENDLG dlg;
    std::string result = "sentinel";
    {
        BoxObserver observer([&] {
            const HWND view = WaitForBox(BrowserClass);
            ASSERT_NE(view, nullptr);
            const CloseWhenDone closer { view };
            const HWND cancel = FindWindowExA(view, nullptr, "Button", "中止");
            ASSERT_NE(cancel, nullptr);
            Click(cancel);
            EXPECT_TRUE(WaitUntilGone(view));
        });
        const Result<std::string> chosen = dlg.Execute();
        result = chosen ? *chosen : "failed: " + chosen.Message();
    }
    EXPECT_EQ(result, "");
}

} // namespace
