#include "app/CommandLine.h"

namespace {

constexpr char Quote = '"';

// A byte-wise scan is safe: second bytes of double-byte characters lie in
// 0x40-0xFC, so a blank, tab or double quote byte is always a character of
// its own.
bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

} // namespace

std::vector<std::string> SplitCommandLine(std::string_view commandLine)
{
    std::vector<std::string> arguments;
    std::string current;
    bool inArgument = false;
    bool quoted = false;
    for (const char c : commandLine) {
        if (c == Quote) {
            quoted = !quoted;
            inArgument = true;
        } else if (IsBlank(c) && !quoted) {
            if (inArgument)
                arguments.push_back(std::move(current));
            current.clear();
            inArgument = false;
        } else {
            current += c;
            inArgument = true;
        }
    }
    if (inArgument)
        arguments.push_back(std::move(current));
    return arguments;
}

std::string Argument(const std::vector<std::string>& arguments, std::size_t index)
{
    return index < arguments.size() ? arguments[index] : std::string();
}
