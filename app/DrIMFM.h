#pragma once

// The tray window: hidden for its whole life, it owns the tray icon, the
// keep-awake controller's two timers and the settings of the resident
// program.  Its class name is how other copies of the program find it.

#include "app/KeepAwake.h"
#include "app/Settings.h"
#include "dialogs/TaskTray.h"
#include "gui/Form.h"
#include "gui/Timer.h"

#include <windows.h>

inline constexpr char TrayWindowClassName[] = "TSDRIM32PALUN";
inline constexpr char TrayWindowCaption[] = "ｽｸﾘｰﾝ･ｾｰﾊﾞｰ＆省電力ＯＦＦツール";

class TSDRIM32PALUN : public Form {
public:
    TSDRIM32PALUN();
    ~TSDRIM32PALUN() override;

    // The mode command of the menus, the start-up and forwarded switches.
    void P0Click(bool off);
    void ModeRefresh();

    const KeepAwakeController& Controller() const { return controller_; }
    const TraySettings& Settings() const { return settings_; }
    const LinkPaths& Links() const { return links_; }
    TTaskTray& TaskTray1() { return taskTray1_; }

protected:
    bool FormCloseQuery() override;

private:
    void Timer1Timer();
    void Timer2Timer();
    void SetTrayIcon(TrayPicture picture);
    void SyncTimers();
    std::string HelpFilePath() const;

    TraySettings settings_;
    LinkPaths links_;
    KeepAwakeController controller_;
    bool closing_ = false;

    HICON ownIcon_;
    HICON image1_;
    HICON image2_;

    TTaskTray taskTray1_;
    Timer timer1_;
    Timer timer2_;
};
