#include "dialogs/Palundlg.h"

#include "dialogs/Palun.h"
#include "gui/Application.h"

std::int16_t TPalunBoxDlg::Execute(std::string_view text)
{
    ProcessCountDown().Set(0);
    return ShowBox(text, false);
}

std::int16_t TPalunBoxDlg::ExecuteCount(std::string_view text)
{
    ProcessCountDown().Set(TimerCount);
    return ShowBox(text, Timer);
}

std::int16_t TPalunBoxDlg::ShowBox(std::string_view text, bool counting)
{
    int result = 0;
    {
        TPalunBox box(counting);
        result = box.Execute(text, Title, SourceHandle);
    }
    Application::Get().RepaintMainForm();
    return static_cast<std::int16_t>(result);
}
