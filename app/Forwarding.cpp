#include "app/Forwarding.h"

#include "platform/Atom.h"
#include "tray/Switches.h"

#include <optional>

namespace {

// While the resident copy handles the forward, the sender asks this often
// whether it still takes messages.
constexpr DWORD AnswerCheckMilliseconds = 1000;

// Set by the completion of the forward.  It lives as long as the process,
// not in the sender's frame: the completion of a forward whose wait has
// given up still comes, whenever the resident copy finishes, and is then
// delivered by the next message loop of this process (the box that says
// the copy does not answer), long after the sender has returned.  A second
// start sends one forward, so one flag serves.
bool forwardHandled = false;

void CALLBACK ForwardHandled(HWND, UINT, ULONG_PTR, LRESULT)
{
    forwardHandled = true;
}

// Nothing while the resident copy takes messages; otherwise how the
// forward ends.
std::optional<ForwardOutcome> OutcomeUnlessAnswering(HWND trayWindow)
{
    // WM_NULL is answered from any message loop of the resident copy, the
    // modal loop of a box included, so a box that its user leaves open
    // never makes it count as hung.
    DWORD_PTR ignored = 0;
    if (SendMessageTimeoutA(trayWindow, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, ResidentAnswerMilliseconds, &ignored)
        != 0)
        return std::nullopt;
    // A window that has gone is a copy that ended, not one that hangs.
    return IsWindow(trayWindow) ? ForwardOutcome::NotAnswering : ForwardOutcome::Delivered;
}

} // namespace

ForwardOutcome ForwardToResidentCopy(HWND trayWindow, std::string_view argument1, std::string_view argument2)
{
    // An atom that could not be made is sent as 0; the resident copy then
    // reads no text and says that it is already running.
    GlobalAtom atom(ForwardText(argument1, argument2));
    // Asked first, so that a hung copy is not left a forward that it would
    // act on whenever it wakes, long after this start has said it failed.
    if (const std::optional<ForwardOutcome> outcome = OutcomeUnlessAnswering(trayWindow))
        return *outcome;
    // A time-out on the forward itself would cut short a box that the
    // resident copy shows for it, which stays up while its user holds the
    // countdown.  The forward is sent without one, and the wait for its
    // end asks meanwhile whether the copy still takes messages.
    if (!SendMessageCallbackA(trayWindow, WM_FORWARD_COMMAND, atom.Get(), 0, ForwardHandled, 0))
        // The window went in the meantime: the copy ended, and SendMessageA
        // would have returned at once too.
        return ForwardOutcome::Delivered;
    while (!forwardHandled) {
        if (MsgWaitForMultipleObjects(0, nullptr, FALSE, AnswerCheckMilliseconds, QS_ALLINPUT)
            == WAIT_TIMEOUT)
            if (const std::optional<ForwardOutcome> outcome = OutcomeUnlessAnswering(trayWindow)) {
                // The copy has the forward but perhaps not yet its text.
                // Deleted now, the atom's number could name another
                // program's atom by the time the copy wakes and reads it, so
                // the atom is left to the session for the copy to read.
                if (*outcome == ForwardOutcome::NotAnswering)
                    atom.LeaveToSession();
                return *outcome;
            }
        // The handling's end reaches ForwardHandled only through a message
        // retrieval; on a system whose wait does not wake for it, the next
        // turn of the loop takes it, a second later at most.
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
    }
    return ForwardOutcome::Delivered;
}
