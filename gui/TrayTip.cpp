#include "gui/TrayTip.h"

#include "text/CharacterCut.h"

std::string_view FitTrayTip(std::string_view tip, std::size_t fieldSize)
{
    if (fieldSize == 0)
        return {};
    return CutWholeCharacters(tip, fieldSize - 1);
}
