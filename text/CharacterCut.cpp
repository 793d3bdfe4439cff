#include "text/CharacterCut.h"

#include "text/YeNADDCUT.h"

#include <algorithm>

std::string_view CutWholeCharacters(std::string_view text, std::size_t limit)
{
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t width = std::min<std::size_t>(
            IsLeadByte(static_cast<unsigned char>(text[end])) ? 2 : 1, text.size() - end);
        if (end + width > limit)
            break;
        end += width;
    }
    return text.substr(0, end);
}
