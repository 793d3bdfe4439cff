#pragma once

// The one stable sort of name lists the program has: the group list of the
// setup window and the folder browser's lists share it, so that the sort's
// code is there once.

#include "base/Callback.h"

#include <string>
#include <string_view>
#include <vector>

// A three-way comparison of two names: negative, zero (equal) or positive.
using NameComparison = Callback<int(std::string_view, std::string_view)>;

// Sorts the names by `compare`, keeping equal names in their found order.
void SortNames(std::vector<std::string>& names, const NameComparison& compare);
