#pragma once

// Whole numbers as the decimal texts the program writes into captions,
// counts and the registry: digits, with a minus sign before a negative one.
// The library's std::to_string brings a table and a formatter of its own
// for each type.

#include <string>

std::string DecimalText(long value);
