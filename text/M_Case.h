#pragma once

// ASCII case conversion of code page 932 text.  Both bytes of a double-byte
// character are left alone, even when the second one is an ASCII letter.

#include <string>
#include <string_view>

// One byte's ASCII case: a-z to A-Z, and A-Z to a-z; every other byte is
// kept.
char UpperAscii(char c);
char LowerAscii(char c);

// Converts A-Z to a-z (toLower) or a-z to A-Z; every other byte is kept.
std::string CaseConvert(std::string_view text, bool toLower);

std::string CaseLower(std::string_view text);

// Lower-case conversion of a listed name: from the first double quote on
// (at a character start or as a second byte) the bytes are left unconverted.
std::string NameLower(std::string_view text);
