#include "tray/DrIMFM.h"

#include "gui/Application.h"
#include "platform/SystemDpi.h"
#include "program/Program.h"
#include "program/ProgramValues.h"
#include "resources/ImageIds.h"
#include "tray/KeepAwakeReadings.h"
#include "tray/ProgramList.h"
#include "tray/SettingsStore.h"
#include "tray/Switches.h"
#include "tray/TrayMenuText.h"
#include "tray/TrayMessageFilter.h"

namespace {

constexpr int TrayWindowWidth = 200;
constexpr int TrayWindowHeight = 100;

// Where the system cannot tell the taskbar's size, the tray gets the
// large icon it always got, and the taskbar shrinks it.
constexpr int ClassicTrayIconSize = 32;

HICON LoadWindowIcon(int id)
{
    return static_cast<HICON>(LoadImageA(
        Application::Get().Instance(), MAKEINTRESOURCEA(id), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
}

LPCSTR TrayPictureName(TrayPicture picture)
{
    switch (picture) {
    case TrayPicture::MainIcon:
        return "MAINICON";
    case TrayPicture::Image1:
        return MAKEINTRESOURCEA(IDI_IMAGE1);
    case TrayPicture::Image2:
        return MAKEINTRESOURCEA(IDI_IMAGE2);
    case TrayPicture::TrayWindowIcon:
        break;
    }
    return MAKEINTRESOURCEA(IDI_TRAYWINDOW);
}

// The size the taskbar draws its icons at, so that none is stretched.
int TrayIconSize()
{
    const int size = SmallIconSizeForSystemDpi();
    return size > 0 ? size : ClassicTrayIconSize;
}

// Argument 1, lower-cased the way the system does it.
std::string LoweredArgument1()
{
    std::string argument = Program().argument1;
    if (!argument.empty())
        CharLowerBuffA(argument.data(), static_cast<DWORD>(argument.size()));
    return argument;
}

TraySettings LoadSettingsWithStartSwitch()
{
    TraySettings settings = ReadTraySettings();
    switch (StartSwitch(LoweredArgument1())) {
    case ModeSwitch::Off:
        settings.keepAwakeMode = ModeScreenSaverOff;
        break;
    case ModeSwitch::On:
        settings.keepAwakeMode = ModeScreenSaverOn;
        break;
    case ModeSwitch::None:
        break;
    }
    return settings;
}

} // namespace

TSDRIM32PALUN::TSDRIM32PALUN()
    : settings_(LoadSettingsWithStartSwitch())
    , links_(ReadLinkPaths())
    , controller_(settings_.keepAwakeMode, settings_.mySoft)
    , ownIcon_(LoadWindowIcon(IDI_TRAYWINDOW))
    , trayIconSize_(TrayIconSize())
    , taskTray1_(*this)
    , timer1_(*this, StartupDelay, [this] { Timer1Timer(); })
    , timer2_(*this, TickInterval, [this] { Timer2Timer(); })
    , popupMenu1_(*this)
    , popupMenu2_(*this)
{
    FormLayout layout;
    layout.className = TrayWindowClassName;
    layout.caption = TrayWindowCaption;
    layout.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    // Never shown, but the tray's message boxes are centred on it: in the
    // middle of the screen they come up where a user looks for them.
    layout.width = TrayWindowWidth;
    layout.height = TrayWindowHeight;
    layout.left = (GetSystemMetrics(SM_CXSCREEN) - TrayWindowWidth) / 2;
    layout.top = (GetSystemMetrics(SM_CYSCREEN) - TrayWindowHeight) / 2;
    // No owner: the application window would be made for it at every start,
    // and a window that is never shown gets no taskbar button anyway.
    layout.icon = ownIcon_;
    CreateWindowFromLayout(layout);

    taskTray1_.OnMouseDown
        = [this](TTaskTray&, TrayMouseButton button, unsigned, int, int) { TaskTray1MouseDown(button); };
    // Without its icon the resident program has no menu and no exit: the
    // user must hear why the display stays awake with nothing to show.
    taskTray1_.OnIconMissing = [this](TTaskTray&) { ShowTrayMessage(TrayText::TrayIconMissing); };
    taskTray1_.OnTaskbarCreated = [this](TTaskTray&) { TaskbarCreated(); };
    // Results not looked at: nothing reaches the shell before the icon is
    // registered, and with no tray yet (the shell is still starting) the
    // component tries again until the taskbar takes the icon.
    static_cast<void>(taskTray1_.SetTipString(TrayWindowCaption));
    SetTrayIcon(TrayPicture::TrayWindowIcon);
    static_cast<void>(taskTray1_.SetRegistered(true));
    // After the icon, like everything a start can leave until then; an
    // announcement of the taskbar before it finds the icon being added anyway.
    LetShellMessagesThrough(Handle());
    // Nothing is ticking yet, so no tick is due; the power source is read
    // at the first run of Timer2.
    controller_.SetMainsOnly(settings_.mainsOnly, false);
    if (const std::optional<TimedOffSwitch> timer = OffTimerSwitch(LoweredArgument1()))
        controller_.StartTimer(*timer, ReadKeepAwakeClock());
    controller_.FinishCreation();
    SyncTimers();
}

TSDRIM32PALUN::~TSDRIM32PALUN() = default;

void TSDRIM32PALUN::SyncTimers()
{
    timer1_.SetInterval(controller_.Timer1().interval);
    timer1_.SetEnabled(controller_.Timer1().enabled);
    timer2_.SetInterval(controller_.Timer2().interval);
    timer2_.SetEnabled(controller_.Timer2().enabled);
}

void TSDRIM32PALUN::P0Click(bool off)
{
    controller_.P0Click(off);
    SyncTimers();
}

void TSDRIM32PALUN::ModeRefresh()
{
    controller_.ModeRefresh();
    SyncTimers();
}

void TSDRIM32PALUN::Timer1Timer()
{
    controller_.Timer1Fired();
    SyncTimers();
    Application::Get().ProcessMessages();
    Application::Get().HideWindow();
    Application::Get().ProcessMessages();
    controller_.StartupP0Click();
    SyncTimers();
}

void TSDRIM32PALUN::Timer2Timer()
{
    // The timer's first run comes after the icon shows; a registration
    // refused while the session service starts is tried again here.
    if (!controller_.TickBlocked() && sessionWatch_.Register(Handle()) && sessionWatch_.Locked())
        static_cast<void>(controller_.SessionChanged(WTS_SESSION_LOCK));
    const KeepAwakeController::Timer2Step step
        = controller_.Timer2Fired({ LockPolicyInForce(), OnBatteryPower(), ReadKeepAwakeClock(),
            !settings_.watch.empty(), RunningWatchedProgram(settings_.watch) });
    SyncTimers();
    hold_.Set(controller_.Holding());
    if (step.refresh) {
        // Result not looked at: the component tries a refused change again;
        // the tick still has to happen.
        static_cast<void>(taskTray1_.SetTipString(step.refresh->tip));
        SetTrayIcon(step.refresh->picture);
    }
    if (!step.tick)
        return;
    if (step.input)
        KeepAwakeTick();
    Application::Get().ProcessMessages();
    controller_.Timer2TickDone();
    SyncTimers();
    if (step.policyNotice)
        ShowTrayMessage(TrayText::LockPolicyInForce);
}

void TSDRIM32PALUN::WMSessionChange(WPARAM event, LPARAM session)
{
    if (!IsThisSession(session))
        return;
    const bool resumed = controller_.SessionChanged(static_cast<std::uint32_t>(event));
    hold_.Set(controller_.Holding());
    if (resumed)
        Timer2Timer();
}

void TSDRIM32PALUN::WMPowerBroadcast(WPARAM event)
{
    // A timer that ran out during the sleep ends now, not up to 30 s later.
    if ((event == PBT_APMPOWERSTATUSCHANGE && controller_.PowerChanged(OnBatteryPower()))
        || (event == PBT_APMRESUMEAUTOMATIC && controller_.CheckTimer(ReadKeepAwakeClock())))
        Timer2Timer();
    else
        hold_.Set(controller_.Holding());
}

void TSDRIM32PALUN::SetTrayIcon(TrayPicture picture)
{
    if (controller_.ShuttingDown())
        return;
    if (picture != trayPicture_ || !trayIcon_)
        LoadTrayIcon(picture);
    // Result not looked at: a refused picture is tried again at the next
    // change.
    static_cast<void>(taskTray1_.SetIcon(trayIcon_.Get()));
}

void TSDRIM32PALUN::LoadTrayIcon(TrayPicture picture)
{
    // Not shared: a shared load hands back the first image loaded of a
    // name, whatever size is asked for.  A picture that cannot be loaded
    // leaves the one shown rather than an empty square.
    IconHandle loaded(static_cast<HICON>(LoadImageA(Application::Get().Instance(), TrayPictureName(picture),
        IMAGE_ICON, trayIconSize_, trayIconSize_, LR_DEFAULTCOLOR)));
    if (!loaded)
        return;
    trayIcon_ = std::move(loaded);
    trayPicture_ = picture;
}

void TSDRIM32PALUN::TaskbarCreated()
{
    trayIconSize_ = TrayIconSize();
    LoadTrayIcon(trayPicture_);
    SetTrayIcon(trayPicture_);
}

std::string TSDRIM32PALUN::HelpFilePath(std::string_view extension) const
{
    std::string path = Program().programFolder;
    path += ProductKey;
    path += extension;
    return path;
}

bool TSDRIM32PALUN::FormCloseQuery()
{
    if (waitingForProgman_) {
        closeAsked_ = true;
        return false;
    }
    controller_.BlockTicks();
    Application::Get().ProcessMessages();
    if (closing_) {
        MessageBeep(MB_ICONEXCLAMATION);
        return false;
    }
    closing_ = true;
    Application::Get().ProcessMessages();
    const std::int32_t modeAtCloseStart = controller_.ModeToSave();
    // Twice, with messages let run in between: a timer message or command
    // handled meanwhile must not find the timer running.
    controller_.Stop();
    SyncTimers();
    Application::Get().ProcessMessages();
    controller_.Stop();
    SyncTimers();
    hold_.Set(controller_.Holding());
    sessionWatch_.Unregister();
    Application::Get().ProcessMessages();
    // Result not looked at: taking the icon out cannot be refused.
    static_cast<void>(taskTray1_.SetRegistered(false));
    CloseHelp();
    settings_.mySoft = controller_.MySoft();
    settings_.mainsOnly = controller_.MainsOnly();
    // Until the menus exist the two ticks are still the ones read at start.
    if (MenusBuilt()) {
        settings_.startTicked = popupMenu1_.Find("PST0")->Checked();
        settings_.offAtStartTicked = popupMenu1_.Find("PST1")->Checked();
    }
    // The program still ends: the user asked for it, and the settings of
    // the next start are then the ones saved before.
    if (const Result<> saved = WriteTraySettings(modeAtCloseStart, settings_); !saved) {
        std::string message(TrayText::SettingsSaveFailed);
        message += '\n';
        message += saved.Message();
        ShowTrayMessage(message);
    }
    return true;
}
