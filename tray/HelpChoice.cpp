#include "tray/HelpChoice.h"

HelpChoice ChooseHelp(bool htmlHelpLoads, bool chmExists, bool windows10OrLater)
{
    if (htmlHelpLoads && chmExists)
        return HelpChoice::OpenChm;
    if (!windows10OrLater)
        return HelpChoice::OpenHlp;
    return htmlHelpLoads ? HelpChoice::SayChmMissing : HelpChoice::SayHtmlHelpMissing;
}
