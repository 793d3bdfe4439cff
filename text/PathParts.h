#pragma once

// The parts of a code page 932 path.  The walks go character by character,
// so that the second byte 0x5C of a character such as 表 is never taken for
// a separator.

#include <cstddef>
#include <string>
#include <string_view>

// The position just after the last backslash that is a separator of its
// own; 0 when there is none.
std::size_t FileNameStart(std::string_view path);

// The part after the last separator.
std::string FileNamePart(std::string_view path);

// The part up to and including the last separator; empty when there is
// none.
std::string FolderPart(std::string_view path);

// The root of a drive, such as "C:\".
std::string DriveRoot(char letter);
