#include "tray/Switches.h"

#include "text/M_Case.h"

namespace {

constexpr std::string_view TimedOffLead = "off:";
constexpr std::size_t DigitsAt = 1 + TimedOffLead.size();
// "/off:HH:MM": the colon between the hours and the minutes.
constexpr std::size_t ClockColonAt = DigitsAt + 2;
constexpr std::size_t ClockLength = ClockColonAt + 3;
constexpr std::size_t MostMinuteDigits = 4;
constexpr unsigned LongestTimerMinutes = 24 * 60;

} // namespace

std::optional<TimedOffSwitch> OffTimerSwitch(std::string_view lowered)
{
    if (lowered.size() <= DigitsAt || (lowered[0] != '/' && lowered[0] != '-')
        || lowered.substr(1, TimedOffLead.size()) != TimedOffLead)
        return std::nullopt;
    // Only ASCII digits: the settings' integer parse would take signs and
    // blanks.
    unsigned hours = 0;
    unsigned value = 0;
    bool clock = false;
    for (std::size_t i = DigitsAt; i < lowered.size(); ++i) {
        const char c = lowered[i];
        if (c == ':' && i == ClockColonAt) {
            clock = true;
            hours = value;
            value = 0;
        } else if (c >= '0' && c <= '9' && i < DigitsAt + MostMinuteDigits + (clock ? 1 : 0)) {
            value = value * 10 + static_cast<unsigned>(c - '0');
        } else {
            return std::nullopt;
        }
    }
    if (clock) {
        if (lowered.size() != ClockLength || hours > 23 || value > 59)
            return std::nullopt;
        return TimedOffSwitch { true, static_cast<std::uint16_t>(hours * 60 + value) };
    }
    if (value == 0 || value > LongestTimerMinutes)
        return std::nullopt;
    return TimedOffSwitch { false, static_cast<std::uint16_t>(value) };
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
