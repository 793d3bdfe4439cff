#include "gui/TrayTip.h"

#include "text/YeNADDCUT.h"

#include <algorithm>

std::string_view FitTrayTip(std::string_view tip, std::size_t fieldSize)
{
    if (fieldSize == 0)
        return {};
    const std::size_t limit = fieldSize - 1;
    std::size_t end = 0;
    while (end < tip.size()) {
        // A lead byte at the very end of the tip has no second byte to keep,
        // so it takes one byte of the field, not two.
        const std::size_t width = std::min<std::size_t>(
            IsLeadByte(static_cast<unsigned char>(tip[end])) ? 2 : 1, tip.size() - end);
        if (end + width > limit)
            break;
        end += width;
    }
    return tip.substr(0, end);
}
