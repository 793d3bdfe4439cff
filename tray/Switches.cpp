#include "tray/Switches.h"

#include "text/M_Case.h"

ModeSwitch StartSwitch(std::string_view lowered)
{
    if (lowered == "/off" || lowered == "-off")
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
