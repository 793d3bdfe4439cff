// The resident copy's side of a second start: the forwarded switch.

#include "tray/DrIMFM.h"

#include "gui/Application.h"
#include "platform/Atom.h"
#include "tray/KeepAwakeReadings.h"
#include "tray/Switches.h"

void TSDRIM32PALUN::WMForwardCommand(WPARAM atom)
{
    // The sender owns the atom; only its low 16 bits name it.
    const std::string text = GlobalAtomName(static_cast<ATOM>(LOWORD(atom)));
    Application::Get().ProcessMessages();
    const ForwardedCommand command = ParseForwardedText(text);
    if (command.alreadyResidentMessage) {
        ShowTrayMessage(AlreadyResidentMessage);
        return;
    }
    ApplySwitch(command.first);
}

void TSDRIM32PALUN::ApplySwitch(std::string_view text)
{
    switch (StartSwitch(text)) {
    case ModeSwitch::Off:
        P0Click(true);
        if (const std::optional<TimedOffSwitch> timer = OffTimerSwitch(text))
            controller_.StartTimer(*timer, ReadKeepAwakeClock());
        break;
    case ModeSwitch::On:
        P0Click(false);
        break;
    case ModeSwitch::None:
        ShowTrayMessage(InvalidParameterMessage(text));
        break;
    }
}

std::optional<LRESULT> TSDRIM32PALUN::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_FORWARD_COMMAND) {
        WMForwardCommand(wParam);
        return 0;
    }
    if (message == WM_WTSSESSION_CHANGE) {
        WMSessionChange(wParam, lParam);
        return 0;
    }
    if (message == WM_POWERBROADCAST) {
        WMPowerBroadcast(wParam);
        return TRUE;
    }
    // A session that ends without asking first ends a command waiting for
    // Program Manager too.
    if (message == WM_ENDSESSION && wParam != FALSE && waitingForProgman_)
        closeAsked_ = true;
    return std::nullopt;
}
