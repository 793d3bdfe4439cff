#include "base/DecimalText.h"

std::string DecimalText(long value)
{
    // The magnitude is taken unsigned, so that the most negative value has
    // one as well.
    unsigned long magnitude
        = value < 0 ? 0UL - static_cast<unsigned long>(value) : static_cast<unsigned long>(value);
    char digits[2 + 3 * sizeof magnitude];
    char* const end = digits + sizeof digits;
    char* first = end;
    do {
        *--first = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0)
        *--first = '-';
    return std::string(first, end);
}
