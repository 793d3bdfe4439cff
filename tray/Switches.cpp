#include "tray/Switches.h"

#include "text/M_Case.h"

namespace {

constexpr std::string_view TimedOffLead = "off:";
constexpr std::size_t MostMinuteDigits = 4;
constexpr unsigned LongestTimerMinutes = 24 * 60;

// Only ASCII digits: the settings' integer parse would take signs and blanks.
std::optional<unsigned> Digits(std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    unsigned value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    return value;
}

} // namespace

std::optional<OffTimerSpec> OffTimerSwitch(std::string_view lowered)
{
    if (lowered.size() <= TimedOffLead.size() || (lowered[0] != '/' && lowered[0] != '-')
        || lowered.substr(1, TimedOffLead.size()) != TimedOffLead)
        return std::nullopt;
    const std::string_view rest = lowered.substr(1 + TimedOffLead.size());
    if (rest.size() == 5 && rest[2] == ':') {
        const auto hours = Digits(rest.substr(0, 2));
        const auto minutes = Digits(rest.substr(3));
        if (!hours || !minutes || *hours > 23 || *minutes > 59)
            return std::nullopt;
        return OffTimerSpec { true, static_cast<std::uint16_t>(*hours * 60 + *minutes) };
    }
    const auto minutes = rest.size() <= MostMinuteDigits ? Digits(rest) : std::nullopt;
    if (!minutes || *minutes == 0 || *minutes > LongestTimerMinutes)
        return std::nullopt;
    return OffTimerSpec { false, static_cast<std::uint16_t>(*minutes) };
}

ModeSwitch StartSwitch(std::string_view lowered)
{
    if (lowered == "/off" || lowered == "-off" || OffTimerSwitch(lowered))
        return ModeSwitch::Off;
    if (lowered == "/no" || lowered == "-no" || lowered == "/on" || lowered == "-on")
        return ModeSwitch::On;
    return ModeSwitch::None;
}

std::string ForwardText(std::string_view argument1, std::string_view argument2)
{
    std::string text(argument1);
    text += ForwardSeparator;
    text += argument2;
    return text;
}

ForwardedCommand ParseForwardedText(std::string_view atomText)
{
    ForwardedCommand command;
    if (atomText.empty()) {
        command.alreadyResidentMessage = true;
        return command;
    }
    // 0x3F never occurs as the second byte of a double-byte character, so a
    // byte search finds the real separator.
    const std::string lowered = CaseLower(atomText);
    const std::size_t separator = lowered.find(ForwardSeparator);
    if (separator == std::string::npos) {
        command.first = lowered;
    } else {
        command.first = lowered.substr(0, separator);
        command.second = lowered.substr(separator + 1);
    }
    command.alreadyResidentMessage = command.first.empty() && command.second.empty();
    return command;
}

std::string InvalidParameterMessage(std::string_view text)
{
    std::string message(InvalidParameterLead);
    message += text;
    return message;
}
