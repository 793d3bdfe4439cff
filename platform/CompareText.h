#pragma once

// Text comparison the way the system's sorted lists compare: the user's
// locale, letter case ignored, code page 932 characters taken whole.

#include <string_view>

// Less than, equal to or greater than 0 as `a` sorts before, with or after
// `b`.
int CompareIgnoringCase(std::string_view a, std::string_view b);
