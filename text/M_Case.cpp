#include "text/M_Case.h"

#include "text/YeNADDCUT.h"

namespace {

constexpr char DoubleQuote = '"';

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
        result[i] = toLower ? LowerAscii(result[i]) : UpperAscii(result[i]);
        ++i;
    }
    return result;
}

} // namespace

char UpperAscii(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - ('a' - 'A')) : c;
}

char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}

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
