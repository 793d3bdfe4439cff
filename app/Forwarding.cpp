#include "app/Forwarding.h"

#include "app/Switches.h"
#include "platform/Atom.h"

void ForwardToResidentCopy(HWND trayWindow, std::string_view argument1, std::string_view argument2)
{
    // An atom that could not be made is sent as 0; the resident copy then
    // reads no text and says that it is already running.
    const GlobalAtom atom(ForwardText(argument1, argument2));
    SendMessageA(trayWindow, WM_FORWARD_COMMAND, atom.Get(), 0);
}
