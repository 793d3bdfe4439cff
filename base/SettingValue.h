#pragma once

// What one read of a registry string value found.  Every setting is stored
// as text; a value of another type is told apart from a missing one because
// some readers fall back on it and others report it.

#include <string>
#include <utility>

struct SettingValue {
    enum class Kind { Missing, Text, WrongType };

    Kind kind = Kind::Missing;
    std::string text; // REG_SZ or REG_EXPAND_SZ data up to its first NUL

    static SettingValue Missing() { return {}; }
    static SettingValue Text(std::string value) { return { Kind::Text, std::move(value) }; }
    static SettingValue WrongType() { return { Kind::WrongType, {} }; }

    // Missing, wrong type and empty text all read as "".  Every reader asks
    // it of a value just read, so the text is moved out, not copied.
    std::string TextOrEmpty() && { return std::move(text); }
};
