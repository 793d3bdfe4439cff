#pragma once

// What the fuzz targets share: the check that turns a broken property into a
// crash libFuzzer records, the character walk the properties are stated in,
// and the cut of one input into several byte strings.

#include "base/SettingValue.h"
#include "text/YeNADDCUT.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

[[noreturn]] inline void FuzzFailure(const char* condition, const char* file, int line)
{
    std::fprintf(stderr, "%s:%d: property broken: %s\n", file, line, condition);
    std::abort();
}

// A macro, so that the report names the broken property and its line.
#define FUZZ_REQUIRE(condition) ((condition) ? void(0) : FuzzFailure(#condition, __FILE__, __LINE__))

inline std::string_view InputText(const std::uint8_t* data, std::size_t size)
{
    return { reinterpret_cast<const char*>(data), size };
}

// The part a byte plays in the forward walk that every code page 932 helper
// makes: a lead byte takes the byte after it, whatever that byte is; a lead
// byte in the last position has no second byte.
enum class ByteRole { Single, Lead, Second, LoneLead };

inline std::vector<ByteRole> WalkRoles(std::string_view text)
{
    std::vector<ByteRole> roles(text.size(), ByteRole::Single);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!IsLeadByte(static_cast<unsigned char>(text[i])))
            continue;
        if (i + 1 == text.size()) {
            roles[i] = ByteRole::LoneLead;
        } else {
            roles[i] = ByteRole::Lead;
            roles[++i] = ByteRole::Second;
        }
    }
    return roles;
}

inline bool EndsInsideCharacter(std::string_view text)
{
    return !text.empty() && WalkRoles(text).back() == ByteRole::LoneLead;
}

inline bool IsUpperAscii(char c)
{
    return c >= 'A' && c <= 'Z';
}

// Several arguments from one input: the fields are separated by the byte
// 0xFF (a byte no code page 932 text uses), the last field takes the rest
// of the input, and fields beyond the input's end are empty.
inline constexpr char FieldSeparator = '\xFF';

inline std::vector<std::string_view> SplitFields(std::string_view input, std::size_t count)
{
    std::vector<std::string_view> fields;
    while (fields.size() + 1 < count) {
        const std::size_t end = input.find(FieldSeparator);
        fields.push_back(input.substr(0, end));
        input = end == std::string_view::npos ? std::string_view() : input.substr(end + 1);
    }
    fields.push_back(input);
    return fields;
}

// A registry read written as a field: "m" or an empty field is a missing
// value, "w" a value of another type; any other field is a string value
// whose data follows the field's first byte (seeds write "t", so "t" alone
// is the empty string).
inline SettingValue FieldValue(std::string_view field)
{
    if (field.empty() || field == "m")
        return SettingValue::Missing();
    if (field == "w")
        return SettingValue::WrongType();
    return SettingValue::Text(std::string(field.substr(1)));
}
