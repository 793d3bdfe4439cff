#include "platform/CompareText.h"

#include <windows.h>

int CompareIgnoringCase(std::string_view a, std::string_view b)
{
    // CompareStringA answers 1, 2 or 3 for less, equal and greater.
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
               b.data(), static_cast<int>(b.size()))
        - CSTR_EQUAL;
}
