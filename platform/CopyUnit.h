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

// The same copy, written under a new name beside `target` (created anew: a
// file of that name that cannot be deleted refuses it) and then moved over
// `target` in one step.  The new file gets the folder's inherited rights and
// this process as its owner, where an overwritten one kept the old file's;
// and a copy that stops short leaves `target` as it was.  A failure leaves
// no partial file behind.
Result<> ReplaceFileKeepDate(const std::string& source, const std::string& target);
