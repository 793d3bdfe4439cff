// The text a second start forwards through the global atom: how it is
// built, how the resident copy splits and lower-cases it, and which switch
// the first part names.  The whole input is taken as an atom's text; its
// first two fields are taken as the two arguments of a second start.

#include "tests/fuzz/FuzzCheck.h"
#include "text/M_Case.h"
#include "tray/Switches.h"

#include <array>
#include <cstdlib>
#include <string>
#include <utility>

namespace {

// The timed forms, "/off:" or "-off:" and 1 to 4 digits worth 1 to 1440,
// or HH:MM of a day.
bool ReferenceTimedOff(std::string_view lowered)
{
    if (lowered.size() < 6 || (lowered[0] != '/' && lowered[0] != '-') || lowered.substr(1, 4) != "off:")
        return false;
    const std::string rest(lowered.substr(5));
    const auto digits
        = [](const std::string& t) { return t.find_first_not_of("0123456789") == std::string::npos; };
    if (rest.size() <= 4 && digits(rest))
        return std::atoi(rest.c_str()) >= 1 && std::atoi(rest.c_str()) <= 1440;
    const std::string hours = rest.substr(0, 2);
    const std::string minutes = rest.size() == 5 ? rest.substr(3) : "x";
    return rest.size() == 5 && rest[2] == ':' && digits(hours) && digits(minutes)
        && std::atoi(hours.c_str()) <= 23 && std::atoi(minutes.c_str()) <= 59;
}

ModeSwitch ReferenceSwitch(std::string_view lowered)
{
    constexpr std::array<std::pair<std::string_view, ModeSwitch>, 6> Table { {
        { "/off", ModeSwitch::Off },
        { "-off", ModeSwitch::Off },
        { "/no", ModeSwitch::On },
        { "-no", ModeSwitch::On },
        { "/on", ModeSwitch::On },
        { "-on", ModeSwitch::On },
    } };
    for (const auto& [text, mode] : Table) {
        if (lowered == text)
            return mode;
    }
    return ReferenceTimedOff(lowered) ? ModeSwitch::Off : ModeSwitch::None;
}

bool HasUpperOutsideCharacters(std::string_view text)
{
    const std::vector<ByteRole> roles = WalkRoles(text);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (roles[i] == ByteRole::Single && IsUpperAscii(text[i]))
            return true;
    }
    return false;
}

void CheckParsed(std::string_view atomText)
{
    const ForwardedCommand command = ParseForwardedText(atomText);
    FUZZ_REQUIRE(command.first.find(ForwardSeparator) == std::string::npos);
    FUZZ_REQUIRE(!HasUpperOutsideCharacters(command.first));
    FUZZ_REQUIRE(!HasUpperOutsideCharacters(command.second));
    FUZZ_REQUIRE(command.alreadyResidentMessage == (command.first.empty() && command.second.empty()));

    const std::string lowered = CaseLower(atomText);
    if (lowered.find(ForwardSeparator) == std::string::npos) {
        FUZZ_REQUIRE(command.first == lowered);
        FUZZ_REQUIRE(command.second.empty());
    } else {
        FUZZ_REQUIRE(command.first + ForwardSeparator + command.second == lowered);
    }

    FUZZ_REQUIRE(StartSwitch(command.first) == ReferenceSwitch(command.first));
    const std::string message = InvalidParameterMessage(command.first);
    FUZZ_REQUIRE(message.starts_with(InvalidParameterLead));
    FUZZ_REQUIRE(message.substr(InvalidParameterLead.size()) == command.first);
}

// A lead byte at the end of argument 1 pairs with the "?" in the forwarded
// text, so the walk over argument 2 starts on a character either way.
void CheckRoundTrip(std::string_view argument1, std::string_view argument2)
{
    const std::string text = ForwardText(argument1, argument2);
    FUZZ_REQUIRE(text == std::string(argument1) + ForwardSeparator + std::string(argument2));
    if (argument1.find(ForwardSeparator) != std::string_view::npos)
        return;
    const ForwardedCommand command = ParseForwardedText(text);
    FUZZ_REQUIRE(command.first == CaseLower(argument1));
    FUZZ_REQUIRE(command.second == CaseLower(argument2));
    FUZZ_REQUIRE(command.alreadyResidentMessage == (argument1.empty() && argument2.empty()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input = InputText(data, size);
    CheckParsed(input);
    const std::vector<std::string_view> arguments = SplitFields(input, 2);
    CheckRoundTrip(arguments[0], arguments[1]);
    FUZZ_REQUIRE(StartSwitch(arguments[0]) == ReferenceSwitch(arguments[0]));
    return 0;
}
