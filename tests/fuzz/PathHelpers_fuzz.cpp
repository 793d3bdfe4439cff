// The code page 932 path and case helpers over any bytes.  The reference for
// every property is the forward walk of FuzzCheck.h, not the backward count
// the helpers themselves use to find the final character.

#include "tests/fuzz/FuzzCheck.h"
#include "text/M_Case.h"
#include "text/YeNADDCUT.h"

#include <algorithm>

namespace {

constexpr char Separator = '\\';

char AsciiLower(char c)
{
    return IsUpperAscii(c) ? static_cast<char>(c + ('a' - 'A')) : c;
}

char AsciiUpper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - ('a' - 'A')) : c;
}

// Strings of three bytes or fewer that end in 0x5C count as separated
// whatever the walk says; a drive root such as "C:\" is one of them.
bool SeparatedByWalk(std::string_view path, const std::vector<ByteRole>& roles)
{
    if (path.empty() || path.back() != Separator)
        return false;
    return path.size() <= 3 || roles.back() == ByteRole::Single;
}

void CheckYenCut(std::string_view path, bool separated)
{
    const std::string cut = YenCut(path);
    const bool shortened = path.size() > 3 && separated;
    FUZZ_REQUIRE(cut == (shortened ? path.substr(0, path.size() - 1) : path));
}

void CheckYenAdd(std::string_view path, bool separated)
{
    const std::string added = YenAdd(path);
    if (path.empty()) {
        FUZZ_REQUIRE(added.empty());
        return;
    }
    FUZZ_REQUIRE(added == (separated ? std::string(path) : std::string(path) + Separator));
    FUZZ_REQUIRE(added.back() == Separator);
    // A lone lead byte at the end takes the added 0x5C as its second byte,
    // so only a path that ends on a character boundary is stable.
    if (!EndsInsideCharacter(path)) {
        FUZZ_REQUIRE(YenAdd(added) == added);
        if (!separated && path.size() >= 3)
            FUZZ_REQUIRE(YenCut(added) == path);
    }
}

void CheckCase(std::string_view text, const std::vector<ByteRole>& roles)
{
    const std::string lower = CaseLower(text);
    const std::string upper = CaseConvert(text, false);
    FUZZ_REQUIRE(lower.size() == text.size());
    FUZZ_REQUIRE(upper.size() == text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool single = roles[i] == ByteRole::Single;
        FUZZ_REQUIRE(lower[i] == (single ? AsciiLower(text[i]) : text[i]));
        FUZZ_REQUIRE(upper[i] == (single ? AsciiUpper(text[i]) : text[i]));
    }
    FUZZ_REQUIRE(CaseConvert(text, true) == lower);
    FUZZ_REQUIRE(CaseLower(lower) == lower);
    FUZZ_REQUIRE(CaseLower(upper) == lower);
    FUZZ_REQUIRE(CaseConvert(lower, false) == upper);

    // Every byte is either a character start or a second byte, so the first
    // 0x22 the walk meets is the first 0x22 byte.
    const std::string name = NameLower(text);
    const std::size_t quote = std::min(text.find('"'), text.size());
    FUZZ_REQUIRE(name.size() == text.size());
    FUZZ_REQUIRE(std::string_view(name).substr(0, quote) == std::string_view(lower).substr(0, quote));
    FUZZ_REQUIRE(std::string_view(name).substr(quote) == text.substr(quote));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text = InputText(data, size);
    const std::vector<ByteRole> roles = WalkRoles(text);
    const bool separated = SeparatedByWalk(text, roles);
    FUZZ_REQUIRE(EndsWithSeparator(text) == separated);
    CheckYenCut(text, separated);
    CheckYenAdd(text, separated);
    CheckCase(text, roles);
    return 0;
}
