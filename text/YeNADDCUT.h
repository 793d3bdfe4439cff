#pragma once

// Trailing-backslash handling for code page 932 folder paths.  In Shift-JIS
// the second byte of a double-byte character may be 0x5C, so "ends with a
// backslash" has to be decided per character, not per byte.

#include <string>
#include <string_view>

// True for the lead bytes of a double-byte character: 0x81-0x9F, 0xE0-0xFC.
bool IsLeadByte(unsigned char b);

// True when the last byte of `path` is a 0x5C that stands as a character of
// its own rather than as the second byte of a double-byte character.
// Paths of three bytes or fewer that end in 0x5C always count as separated.
bool EndsWithSeparator(std::string_view path);

// The path without its trailing separator.  Paths of three bytes or fewer
// (a drive root such as "C:\") are never shortened.
std::string YenCut(std::string_view path);

// The path with a trailing separator.  An empty path stays empty: there is
// no folder to end, and a lone "\" would turn a file name joined to it into
// a root-relative path.
std::string YenAdd(std::string_view path);
