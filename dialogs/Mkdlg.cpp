#include "dialogs/Mkdlg.h"

#include "dialogs/mk.h"
#include "gui/Application.h"

#include <optional>

CountTextTable& ProcessCountText()
{
    static CountTextTable table;
    return table;
}

std::int16_t TMKBoxDlg::Execute(std::string_view text)
{
    return Show(text, false, 0);
}

std::int16_t TMKBoxDlg::ExecuteCount(std::string_view text)
{
    return Show(text, Timer, TimerCount);
}

std::int16_t TMKBoxDlg::Show(std::string_view text, bool counting, std::int32_t start)
{
    const std::optional<int> slot = TakeFirstFreeSlot(B);
    if (!slot)
        return 0;
    const SlotClaim claim(B, *slot);
    const auto index = static_cast<std::size_t>(*slot);
    CountOn[index] = counting;
    ProcessCountText().Set(*slot, start);

    int result = 0;
    {
        TMKBox box(CountOn[index], ProcessCountText().Text(*slot), ProcessCountText().StartLabel(*slot));
        result = box.Execute(text, Title, SourceHandle);
        // Hidden and repainted first, so that the box under it (a nested
        // call's) shows whole again before this one is destroyed.
        box.Hide();
        box.Repaint();
    }
    Application::Get().RepaintMainForm();
    return static_cast<std::int16_t>(result);
}
