// The command-line split and the file-name part of a path, over any bytes.

#include "app/CommandLine.h"
#include "tests/fuzz/FuzzCheck.h"
#include "text/PathParts.h"

#include <algorithm>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string Without(std::string_view text, bool (*drop)(char))
{
    std::string kept;
    for (const char c : text) {
        if (!drop(c))
            kept += c;
    }
    return kept;
}

bool IsQuote(char c)
{
    return c == '"';
}

bool IsQuoteOrBlank(char c)
{
    return IsQuote(c) || IsBlank(c);
}

bool IsSubsequence(std::string_view part, std::string_view whole)
{
    std::size_t next = 0;
    for (const char c : whole) {
        if (next < part.size() && part[next] == c)
            ++next;
    }
    return next == part.size();
}

// Without quotes the split is the plain split at runs of blanks.
std::vector<std::string> SplitAtBlanks(std::string_view text)
{
    std::vector<std::string> words;
    std::size_t position = 0;
    while (position < text.size()) {
        while (position < text.size() && IsBlank(text[position]))
            ++position;
        const std::size_t start = position;
        while (position < text.size() && !IsBlank(text[position]))
            ++position;
        if (position > start)
            words.emplace_back(text.substr(start, position - start));
    }
    return words;
}

void CheckSplit(std::string_view commandLine)
{
    const std::vector<std::string> arguments = SplitCommandLine(commandLine);
    const bool hadQuote = commandLine.find('"') != std::string_view::npos;

    std::string joined;
    for (const std::string& argument : arguments) {
        FUZZ_REQUIRE(argument.find('"') == std::string::npos);
        if (!hadQuote) {
            FUZZ_REQUIRE(!argument.empty());
            FUZZ_REQUIRE(std::none_of(argument.begin(), argument.end(), IsBlank));
        }
        joined += argument;
    }
    FUZZ_REQUIRE(IsSubsequence(joined, Without(commandLine, IsQuote)));
    FUZZ_REQUIRE(Without(joined, IsBlank) == Without(commandLine, IsQuoteOrBlank));
    if (!hadQuote)
        FUZZ_REQUIRE(arguments == SplitAtBlanks(commandLine));

    for (std::size_t i = 0; i < arguments.size(); ++i)
        FUZZ_REQUIRE(Argument(arguments, i) == arguments[i]);
    FUZZ_REQUIRE(Argument(arguments, arguments.size()).empty());
}

void CheckFileNamePart(std::string_view path)
{
    const std::string name = FileNamePart(path);
    FUZZ_REQUIRE(name.size() <= path.size());
    const std::size_t start = path.size() - name.size();
    FUZZ_REQUIRE(path.substr(start) == name);

    const std::vector<ByteRole> roles = WalkRoles(path);
    const auto isSeparator = [&](std::size_t i) { return path[i] == '\\' && roles[i] == ByteRole::Single; };
    if (start > 0)
        FUZZ_REQUIRE(isSeparator(start - 1));
    for (std::size_t i = start; i < path.size(); ++i)
        FUZZ_REQUIRE(!isSeparator(i));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text = InputText(data, size);
    CheckSplit(text);
    CheckFileNamePart(text);
    return 0;
}
