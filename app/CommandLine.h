#pragma once

// The program's command line split into arguments, on code page 932 byte
// strings.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Splits a whole command line (element 0 is the program's path).  Blanks
// (space, tab) separate arguments; double quotes group blanks into one
// argument and are removed, and may open or close in the middle of one; an
// unclosed quote runs to the end.  "" alone makes an empty argument.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

// The argument at `index`, or "" when there are fewer arguments.
std::string Argument(const std::vector<std::string>& arguments, std::size_t index);
