#include "tray/KeepAwakeHold.h"

#include "program/ProgramValues.h"

void KeepAwakeHold::Set(bool held)
{
    if (held == held_)
        return;
    held_ = held;
    if (!held) {
        if (request_) {
            ClearRequest(PowerRequestKind::Display);
            ClearRequest(PowerRequestKind::System);
        }
        if (executionState_)
            SetExecutionState(ExecutionContinuous);
        return;
    }
    // Asked once: a system that has refused the request refuses it again.
    if (!asked_) {
        asked_ = true;
        // A compile-time copy: taken by reference here, the header's inline
        // variable leaves a section name in the link-time code that the
        // linker warns it cannot find.
        constexpr std::string_view reason = ApplicationTitle;
        request_ = CreateRequest(reason);
    }
    // The system request beside the display one: without it some systems
    // sleep with the display on.
    executionState_
        = !(request_ && SetRequest(PowerRequestKind::Display) && SetRequest(PowerRequestKind::System));
    if (executionState_)
        SetExecutionState(ExecutionContinuous | ExecutionDisplayRequired | ExecutionSystemRequired);
}
