#pragma once

// The tray window: hidden for its whole life, it owns the tray icon, the
// keep-awake controller's two timers and the settings of the resident
// program.  Its class name is how other copies of the program find it.

#include "base/Result.h"
#include "dialogs/Mkdlg.h"
#include "gui/Form.h"
#include "gui/Menu.h"
#include "gui/TaskTray.h"
#include "gui/Timer.h"
#include "platform/GdiHandles.h"
#include "platform/HtmlHelp.h"
#include "tray/KeepAwake.h"
#include "tray/KeepAwakeTick.h"
#include "tray/Settings.h"

#include <windows.h>

#include <string>
#include <string_view>

inline constexpr char TrayWindowClassName[] = "TSDRIM32PALUN";
inline constexpr char TrayWindowCaption[] = "ｽｸﾘｰﾝ･ｾｰﾊﾞｰ＆省電力ＯＦＦツール";

// The message by which a second start hands its arguments to the resident
// copy: wParam is a global atom holding argument 1 + "?" + argument 2.
constexpr UINT WM_FORWARD_COMMAND = WM_USER + 1;

class TSDRIM32PALUN : public Form {
public:
    TSDRIM32PALUN();
    ~TSDRIM32PALUN() override;

    // The mode command of the menus, the start-up and forwarded switches.
    void P0Click(bool off);
    void ModeRefresh();

    const KeepAwakeController& Controller() const { return controller_; }
    bool Busy() const { return busy_; }
    TTaskTray& TaskTray1() { return taskTray1_; }
    PopupMenu& PopupMenu1()
    {
        BuildMenus();
        return popupMenu1_;
    }
    PopupMenu& PopupMenu2()
    {
        BuildMenus();
        return popupMenu2_;
    }
    TMKBoxDlg& MKBoxDlg1() { return mkBoxDlg1_; }

    // A press on the tray icon: left opens the short menu, right the full.
    void TaskTray1MouseDown(TrayMouseButton button);
    void PopupMenu1Popup();
    void PopupMenu2Popup();

protected:
    std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool FormCloseQuery() override;

private:
    // The menus are made at their first opening: under Wine every item
    // costs the resident program memory, and most users never open them.
    void BuildMenus();
    bool MenusBuilt() const { return !popupMenu1_.Items().empty(); }
    void Timer1Timer();
    void Timer2Timer();
    void SetTrayIcon(TrayPicture picture);
    void LoadTrayIcon(TrayPicture picture);
    // The taskbar was re-created: its icon size is asked for again.
    void TaskbarCreated();
    void SyncTimers();
    // A session locked, unlocked, disconnected or connected.
    void WMSessionChange(WPARAM event, LPARAM session);
    // A resume from sleep, or a change of the power source.
    void WMPowerBroadcast(WPARAM event);
    // The help file beside the program, DRIM32.HLP or DRIM32.CHM.
    std::string HelpFilePath(std::string_view extension) const;
    void CloseHelp();

    void MenuP0Click(MenuItem& sender);
    void OffTimerClick(int entry);
    void PAC_ONLYClick();
    // The watch submenu's entries, given their programs at each opening.
    void FillWatchMenu();
    void PWATCH_ENTRYClick(std::size_t entry);
    void PWATCH_CLEARClick();
    void PST0Click();
    void PST1Click();
    void PMR_MYSOFTClick(MenuItem& sender);
    void PMR_SS_SETClick();
    void MICON_SETClick(MenuItem& sender);
    void MDESK_SETClick(MenuItem& sender);
    void P5Click();
    void P2Click();
    void StartupIconUpdate(bool add);
    Result<> StartupItemCommands(const std::string& group, bool add);
    void ShowTrayMessage(std::string_view text);
    static bool LinkExists(const std::string& path);

    void WMForwardCommand(WPARAM atom);
    void ApplySwitch(std::string_view text);

    TraySettings settings_;
    // The programs of the watch submenu's entries as last shown.
    WatchList watchMenuNames_;
    LinkPaths links_;
    KeepAwakeController controller_;
    SystemKeepAwakeHold hold_;
    SessionWatch sessionWatch_;
    bool busy_ = false;
    bool closing_ = false;
    // DDEML's wait for Program Manager runs messages: a close asked for
    // meanwhile is put off until the command has stopped, and then carried out.
    bool waitingForProgman_ = false;
    bool closeAsked_ = false;

    // The window's own icon, shared with the system's cache.
    HICON ownIcon_;
    int trayIconSize_;
    // The tray's picture at the taskbar's size; the component keeps a copy.
    TrayPicture trayPicture_ = TrayPicture::TrayWindowIcon;
    IconHandle trayIcon_;

    TTaskTray taskTray1_;
    Timer timer1_;
    Timer timer2_;
    PopupMenu popupMenu1_;
    PopupMenu popupMenu2_;
    TMKBoxDlg mkBoxDlg1_;
    HtmlHelpViewer htmlHelp_;
    bool winHelpOpened_ = false;
};
