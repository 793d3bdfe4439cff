#include "dialogs/TrayTip.h"

#include "text/YeNADDCUT.h"

std::string FitTrayTip(std::string_view tip, std::size_t fieldSize)
{
    if (fieldSize == 0)
        return {};
    const std::size_t limit = fieldSize - 1;
    std::size_t end = 0;
    while (end < tip.size()) {
        const std::size_t width = IsLeadByte(static_cast<unsigned char>(tip[end])) ? 2 : 1;
        if (end + width > limit)
            break;
        end += width;
    }
    // A lead byte at the very end of the tip has no second byte to keep.
    if (end > tip.size())
        end = tip.size();
    return std::string(tip.substr(0, end));
}
