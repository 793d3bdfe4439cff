// The settings' integer parse over any bytes, against a second parse built
// on std::from_chars and against the properties a registry value's text
// must keep.

#include "tests/fuzz/FuzzCheck.h"
#include "tray/Settings.h"

#include <charconv>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

namespace {

constexpr std::string_view AllowedBytes = " +-$0123456789ABCDEFabcdef";
constexpr std::string_view HexDigits = "0123456789ABCDEFabcdef";
constexpr std::size_t MaxHexDigits = 8;
constexpr std::size_t MaxDecimalDigits = 10;

std::string_view WithoutLeadingZeros(std::string_view digits)
{
    const std::size_t first = digits.find_first_not_of('0');
    return first == std::string_view::npos ? std::string_view() : digits.substr(first);
}

// Digits of one base only: the callers take off the sign and the leading
// zeros and bound the length, so that from_chars cannot run out of range.
template <typename Number> std::optional<Number> ReadDigits(std::string_view digits, int base)
{
    if (digits.empty())
        return std::nullopt;
    Number value {};
    const char* const end = digits.data() + digits.size();
    const auto [stop, error] = std::from_chars(digits.data(), end, value, base);
    if (error != std::errc {} || stop != end)
        return std::nullopt;
    return value;
}

std::optional<std::int32_t> ReferenceParse(std::string_view text)
{
    const std::size_t start = text.find_first_not_of(' ');
    if (start == std::string_view::npos)
        return std::nullopt;
    text.remove_prefix(start);
    if (text.front() == '$') {
        const std::string_view digits = text.substr(1);
        if (digits.empty() || digits.find_first_not_of(HexDigits) != std::string_view::npos
            || WithoutLeadingZeros(digits).size() > MaxHexDigits)
            return std::nullopt;
        const auto pattern = ReadDigits<std::uint32_t>(digits, 16);
        return pattern ? std::optional(static_cast<std::int32_t>(*pattern)) : std::nullopt;
    }
    const bool negative = text.front() == '-';
    if (negative || text.front() == '+')
        text.remove_prefix(1);
    if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    const std::string_view significant = WithoutLeadingZeros(text);
    if (significant.size() > MaxDecimalDigits)
        return std::nullopt;
    const std::int64_t magnitude = significant.empty() ? 0 : *ReadDigits<std::int64_t>(significant, 10);
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text = InputText(data, size);
    const std::optional<std::int32_t> parsed = ParseSettingInt(text);

    FUZZ_REQUIRE(parsed == ReferenceParse(text));
    FUZZ_REQUIRE(ParseSettingInt(" " + std::string(text)) == parsed);
    FUZZ_REQUIRE(ParseSettingInt("   " + std::string(text)) == parsed);
    // A blank, a NUL byte or a letter beyond F after the digits is no digit
    // of either base.
    for (const char garbage : { ' ', '\0', 'G', 'x', '$', '-' })
        FUZZ_REQUIRE(!ParseSettingInt(std::string(text) + garbage));
    if (parsed) {
        FUZZ_REQUIRE(text.find_first_not_of(AllowedBytes) == std::string_view::npos);
        FUZZ_REQUIRE(ParseSettingInt(std::to_string(*parsed)) == parsed);
    }
    return 0;
}
