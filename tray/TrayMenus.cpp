// The tray window's two menus: how they are built, opened and refreshed.

#include "tray/DrIMFM.h"

#include "gui/Application.h"
#include "platform/CompareText.h"
#include "program/Program.h"
#include "text/PathParts.h"
#include "tray/KeepAwakeReadings.h"
#include "tray/ProgramList.h"
#include "tray/SettingsStore.h"
#include "tray/TrayMenuText.h"

namespace {

void Beep()
{
    if (!MessageBeep(MB_ICONEXCLAMATION))
        MessageBeep(0xFFFFFFFF);
}

} // namespace

bool TSDRIM32PALUN::LinkExists(const std::string& path)
{
    // An empty path (its Shell Folders value is missing) names no file; it
    // must not be tested as a path relative to the current folder.
    return !path.empty() && GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void TSDRIM32PALUN::BuildMenus()
{
    if (MenusBuilt())
        return;
    using namespace TrayText;
    popupMenu1_.Add("P0", P0, [this](MenuItem& sender) { MenuP0Click(sender); });
    popupMenu1_.Add("P1", P1, [this](MenuItem& sender) { MenuP0Click(sender); });
    // The caption is set at each opening; the entries need no names.
    MenuItem& offTimer = popupMenu1_.Add("POFF_TIMER", {});
    for (int entry = 0; entry < static_cast<int>(std::size(OffTimerEntries)); ++entry)
        offTimer.Add({}, OffTimerEntries[entry], [this, entry](MenuItem&) { OffTimerClick(entry); });
    // Its entries are made at each opening, from the windows open then.
    popupMenu1_.Add("PWATCH", PWATCH);
    popupMenu1_.Add("PAC_ONLY", PAC_ONLY, [this](MenuItem&) { PAC_ONLYClick(); });
    popupMenu1_.Add("N2", Separator);
    popupMenu1_.Add("PST0", PST0, [this](MenuItem&) { PST0Click(); });
    popupMenu1_.Add("PST1", PST1, [this](MenuItem&) { PST1Click(); });
    popupMenu1_.Add("N10", Separator);
    popupMenu1_.Add("PMR_SS_SET", PMR_SS_SET, [this](MenuItem&) { PMR_SS_SETClick(); });
    popupMenu1_.Add("N12", Separator);
    popupMenu1_.Add("PMR_MYSOFT", PMR_MYSOFT, [this](MenuItem& sender) { PMR_MYSOFTClick(sender); });
    popupMenu1_.Add("PMR_SS", PMR_SS, [this](MenuItem& sender) { PMR_MYSOFTClick(sender); });
    popupMenu1_.Add("N4", Separator);
    popupMenu1_.Add("MICON_SET", MICON_SET, [this](MenuItem& sender) { MICON_SETClick(sender); });
    popupMenu1_.Add("MICON_DEL", MICON_DEL, [this](MenuItem& sender) { MICON_SETClick(sender); });
    popupMenu1_.Add("MDESK_SET", MDESK_SET, [this](MenuItem& sender) { MDESK_SETClick(sender); });
    popupMenu1_.Add("MDESK_DEL", MDESK_DEL, [this](MenuItem& sender) { MDESK_SETClick(sender); });
    popupMenu1_.Add("N1", Separator);
    popupMenu1_.Add("P5", "", [this](MenuItem&) { P5Click(); });
    popupMenu1_.Add("N7", Separator);
    popupMenu1_.Add("P2", P2, [this](MenuItem&) { P2Click(); });
    popupMenu1_.Add("N5", Separator);
    popupMenu1_.Add("P3", CloseMenu);
    popupMenu1_.OnPopup = [this] { PopupMenu1Popup(); };

    popupMenu2_.Add("PML_OFF", PML_OFF, [this](MenuItem& sender) { MenuP0Click(sender); });
    popupMenu2_.Add("PML_ON", PML_ON, [this](MenuItem& sender) { MenuP0Click(sender); });
    popupMenu2_.Add("N3", Separator);
    popupMenu2_.Add("K2", CloseMenu);
    popupMenu2_.OnPopup = [this] { PopupMenu2Popup(); };

    MenuItem& pst0 = *popupMenu1_.Find("PST0");
    MenuItem& pst1 = *popupMenu1_.Find("PST1");
    pst0.SetChecked(settings_.startTicked);
    pst1.SetChecked(settings_.offAtStartTicked);
    pst1.SetEnabled(settings_.offAtStartEnabled);
}

void TSDRIM32PALUN::TaskTray1MouseDown(TrayMouseButton button)
{
    if (busy_) {
        Beep();
        return;
    }
    Application::Get().ProcessMessages();
    POINT cursor {};
    GetCursorPos(&cursor);
    PopupMenu* menu = nullptr;
    if (button == TrayMouseButton::Left)
        menu = &popupMenu2_;
    else if (button == TrayMouseButton::Right)
        menu = &popupMenu1_;
    if (menu == nullptr)
        return;
    BuildMenus();
    // Busy covers the moment from the press to the menu; the menu's popup
    // handler clears it.
    busy_ = true;
    Application::Get().ProcessMessages();
    menu->Popup(cursor.x, cursor.y);
}

void TSDRIM32PALUN::PopupMenu1Popup()
{
    BuildMenus();
    popupMenu1_.Find("P5")->SetCaption(HelpCaption(HelpCaptionVersion(ReadVersionValue())));
    const bool desktopLink = LinkExists(links_.desktop);
    popupMenu1_.Find("MDESK_SET")->SetVisible(!desktopLink);
    popupMenu1_.Find("MDESK_DEL")->SetVisible(desktopLink);
    const bool startupLink = LinkExists(links_.startup);
    popupMenu1_.Find("MICON_SET")->SetVisible(!startupLink);
    popupMenu1_.Find("MICON_DEL")->SetVisible(startupLink);
    popupMenu1_.Find("PMR_MYSOFT")->SetChecked(controller_.MySoft() != 0);
    popupMenu1_.Find("PMR_SS")->SetChecked(controller_.MySoft() == 0);
    popupMenu1_.Find("P0")->SetChecked(controller_.ScreenSaverOff());
    popupMenu1_.Find("P1")->SetChecked(!controller_.ScreenSaverOff());
    MenuItem& offTimer = *popupMenu1_.Find("POFF_TIMER");
    std::string caption
        = TipWithReason(TrayText::OffTimerLead, controller_.TimerReason(ReadKeepAwakeClock()));
    caption += TrayText::OffTimerKey;
    offTimer.SetCaption(caption);
    for (std::size_t entry = 0; entry < offTimer.Items().size(); ++entry)
        offTimer.Items()[entry]->SetChecked(controller_.TimerEntry() == static_cast<int>(entry));
    popupMenu1_.Find("PAC_ONLY")->SetChecked(controller_.MainsOnly());
    FillWatchMenu();
    Application::Get().ProcessMessages();
    busy_ = false;
}

void TSDRIM32PALUN::PopupMenu2Popup()
{
    BuildMenus();
    popupMenu2_.Find("PML_OFF")->SetChecked(controller_.ScreenSaverOff());
    popupMenu2_.Find("PML_ON")->SetChecked(!controller_.ScreenSaverOff());
    Application::Get().ProcessMessages();
    busy_ = false;
}

void TSDRIM32PALUN::FillWatchMenu()
{
    const WindowList windows = WindowedPrograms();
    watchMenuNames_
        = WatchMenuNames(settings_.watch, windows, FileNamePart(Program().programPath), CompareIgnoringCase);
    MenuItem& watch = *popupMenu1_.Find("PWATCH");
    watch.ClearItems();
    for (std::size_t entry = 0; entry < watchMenuNames_.size(); ++entry)
        watch
            .Add({}, WatchMenuCaption(watchMenuNames_[entry], windows),
                [this, entry](MenuItem&) { PWATCH_ENTRYClick(entry); })
            .SetChecked(entry < settings_.watch.size());
    watch.Add({}, TrayText::Separator);
    watch.Add({}, TrayText::PWATCH_CLEAR, [this](MenuItem&) { PWATCH_CLEARClick(); })
        .SetEnabled(!settings_.watch.empty());
}
