#pragma once

// A code page 932 text cut to a number of bytes or characters without
// leaving half of a double-byte character at the end.

#include <cstddef>
#include <string_view>

// The longest start of `text` of at most `limit` bytes that ends on a
// character boundary: a double-byte character that would straddle the
// limit is left out whole.  A lead byte at the very end of `text`, with no
// second byte, counts as one byte.  It views `text`'s bytes.
std::string_view CutWholeCharacters(std::string_view text, std::size_t limit);

// The first `count` characters of `text`, a double-byte character counting
// as one.  It views `text`'s bytes.
std::string_view FirstCharacters(std::string_view text, std::size_t count);
