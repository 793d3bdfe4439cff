#include "text/YeNADDCUT.h"

namespace {

constexpr unsigned char Separator = 0x5C;

unsigned char ByteAt(std::string_view text, std::size_t index)
{
    return static_cast<unsigned char>(text[index]);
}

// Counts the run of lead bytes that ends just before the final byte.  An odd
// run means the final byte pairs with the last lead byte of the run.
bool FinalByteIsSecondOfCharacter(std::string_view path)
{
    std::size_t run = 0;
    for (std::size_t i = path.size() - 1; i > 0 && IsLeadByte(ByteAt(path, i - 1)); --i)
        ++run;
    return run % 2 == 1;
}

} // namespace

bool IsLeadByte(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

bool EndsWithSeparator(std::string_view path)
{
    const std::size_t n = path.size();
    if (n == 0 || ByteAt(path, n - 1) != Separator)
        return false;
    if (n <= 3 || !IsLeadByte(ByteAt(path, n - 2)))
        return true;
    return !FinalByteIsSecondOfCharacter(path);
}

std::string YenCut(std::string_view path)
{
    if (path.size() <= 3 || !EndsWithSeparator(path))
        return std::string(path);
    return std::string(path.substr(0, path.size() - 1));
}

std::string YenAdd(std::string_view path)
{
    if (path.empty() || EndsWithSeparator(path))
        return std::string(path);
    std::string result(path);
    result += static_cast<char>(Separator);
    return result;
}
