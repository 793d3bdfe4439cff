#include "dialogs/Yesnodlg.h"

#include "dialogs/Yesno.h"
#include "gui/Application.h"

std::int16_t TYesNoBoxDlg::Execute(std::string_view text, bool noByDefault)
{
    int result = 0;
    {
        TYesNoBox box(noByDefault);
        result = box.Execute(text, Title, SourceHandle);
    }
    Application::Get().RepaintMainForm();
    return static_cast<std::int16_t>(result);
}
