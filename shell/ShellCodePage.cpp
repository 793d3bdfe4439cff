#include "shell/ShellCodePage.h"

namespace {

// Code page numbers are 16-bit.
constexpr unsigned long LargestCodePage = 65535;

} // namespace

std::optional<unsigned> ItemFilesCodePageFor(unsigned processCodePage, const SettingValue& systemCodePage)
{
    const std::string& text = systemCodePage.text;
    if (processCodePage != ProgramCodePage || systemCodePage.kind != SettingValue::Kind::Text || text.empty())
        return std::nullopt;
    unsigned long number = 0;
    for (const char digit : text) {
        if (digit < '0' || digit > '9')
            return std::nullopt;
        number = number * 10 + static_cast<unsigned long>(digit - '0');
        if (number > LargestCodePage)
            return std::nullopt;
    }
    if (number == 0 || number == ProgramCodePage)
        return std::nullopt;
    return static_cast<unsigned>(number);
}
