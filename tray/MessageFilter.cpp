#include "tray/MessageFilter.h"

MessageFilterStep PlanMessageFilter(bool windowCallFound, bool processCallFound)
{
    // The window's own filter where there is one: the process-wide one
    // would open every window of the process to the message.
    if (windowCallFound)
        return { MessageFilterCall::Window, MessageFilterAllow };
    if (processCallFound)
        return { MessageFilterCall::Process, MessageFilterAdd };
    return { MessageFilterCall::None, 0 };
}
