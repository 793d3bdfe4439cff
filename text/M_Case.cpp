#include "text/M_Case.h"

#include "text/YeNADDCUT.h"

namespace {

constexpr char DoubleQuote = '"';

char ConvertByte(char c, bool toLower)
{
    if (toLower && c >= 'A' && c <= 'Z')
        return static_cast<char>(c + ('a' - 'A'));
    if (!toLower && c >= 'a' && c <= 'z')
        return static_cast<char>(c - ('a' - 'A'));
    return c;
}

std::string Convert(std::string_view text, bool toLower, bool stopAtQuote)
{
    std::string result(text);
    std::size_t i = 0;
    while (i < result.size()) {
        if (stopAtQuote && result[i] == DoubleQuote)
            break;
        if (IsLeadByte(static_cast<unsigned char>(result[i]))) {
            if (i + 1 >= result.size())
                break;
            if (stopAtQuote && result[i + 1] == DoubleQuote)
                break;
            i += 2;
            continue;
        }
        result[i] = ConvertByte(result[i], toLower);
        ++i;
    }
    return result;
}

} // namespace

std::string CaseConvert(std::string_view text, bool toLower)
{
    return Convert(text, toLower, false);
}

std::string CaseLower(std::string_view text)
{
    return Convert(text, true, false);
}

std::string NameLower(std::string_view text)
{
    return Convert(text, true, true);
}
