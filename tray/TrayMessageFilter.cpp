#include "tray/TrayMessageFilter.h"

#include "gui/TaskTray.h"
#include "platform/Module.h"
#include "tray/DrIMFM.h"
#include "tray/MessageFilter.h"

static_assert(MessageFilterAllow == MSGFLT_ALLOW);
static_assert(MessageFilterAdd == MSGFLT_ADD);

void LetShellMessagesThrough(HWND tray)
{
    using WindowCall = BOOL(WINAPI*)(HWND, UINT, DWORD, PCHANGEFILTERSTRUCT);
    using ProcessCall = BOOL(WINAPI*)(UINT, DWORD);
    // Looked up: the program starts on systems without either.
    HMODULE user32 = GetModuleHandleA("user32.dll");
    const auto windowCall = ModuleFunction<WindowCall>(user32, "ChangeWindowMessageFilterEx");
    const auto processCall = ModuleFunction<ProcessCall>(user32, "ChangeWindowMessageFilter");
    const MessageFilterStep step = PlanMessageFilter(windowCall != nullptr, processCall != nullptr);
    // Results not looked at: a message that stays blocked leaves the
    // program as it was without the filter.
    for (const UINT message : { TaskbarCreatedMessage(), WM_FORWARD_COMMAND }) {
        if (step.call == MessageFilterCall::Window)
            windowCall(tray, message, step.action, nullptr);
        else if (step.call == MessageFilterCall::Process)
            processCall(message, step.action);
    }
}
