#pragma once

#include "base/Result.h"

#include <string>

// Copies `source` to `target` byte for byte and gives the copy the source's
// last-write time, rounded down to the even second by its trip through the
// DOS date-time form.  An existing target is replaced; the copy gets normal
// attributes.  Fails with a text naming the file when the source cannot be
// opened, the target cannot be created, or a read or write stops short; a
// target created before a failure stays on disk with the bytes copied so far
// and the source's date.
Result<> FileCopyKeepDate(const std::string& source, const std::string& target);
