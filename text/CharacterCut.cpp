#include "text/CharacterCut.h"

#include "text/YeNADDCUT.h"

#include <algorithm>

namespace {

std::size_t CharacterWidth(std::string_view text, std::size_t at)
{
    return std::min<std::size_t>(IsLeadByte(static_cast<unsigned char>(text[at])) ? 2 : 1, text.size() - at);
}

} // namespace

std::string_view CutWholeCharacters(std::string_view text, std::size_t limit)
{
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t width = CharacterWidth(text, end);
        if (end + width > limit)
            break;
        end += width;
    }
    return text.substr(0, end);
}

std::string_view FirstCharacters(std::string_view text, std::size_t count)
{
    std::size_t end = 0;
    for (; count > 0 && end < text.size(); --count)
        end += CharacterWidth(text, end);
    return text.substr(0, end);
}
