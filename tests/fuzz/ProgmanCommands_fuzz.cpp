// Program Manager's command strings built from any group name, program path
// and item title: the argument goes in unchanged between its command's
// opening and closing, whatever commas, brackets or quotes it holds.

#include "shell/Progman.h"
#include "tests/fuzz/FuzzCheck.h"

namespace {

constexpr std::string_view CommandEnd = ")]\r\n";

// The command is exactly opening + argument + closing.
void CheckCommand(
    std::string_view command, std::string_view opening, std::string_view argument, std::string_view closing)
{
    FUZZ_REQUIRE(closing.ends_with(CommandEnd));
    FUZZ_REQUIRE(command.size() == opening.size() + argument.size() + closing.size());
    FUZZ_REQUIRE(command.starts_with(opening));
    FUZZ_REQUIRE(command.substr(opening.size(), argument.size()) == argument);
    FUZZ_REQUIRE(command.ends_with(closing));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::string_view> fields = SplitFields(InputText(data, size), 3);
    const std::string_view group = fields[0];
    const std::string_view programPath = fields[1];
    const std::string_view itemTitle = fields[2];

    const std::string quotedTitle = QuotedItemTitle(itemTitle);
    FUZZ_REQUIRE(quotedTitle == "\"" + std::string(itemTitle) + "\"");

    CheckCommand(CreateGroupCommand(group), "[CreateGroup(", group, CommandEnd);
    CheckCommand(ShowGroupCommand(group), "[ShowGroup(", group, ",1)]\r\n");
    CheckCommand(DeleteItemCommand(quotedTitle), "[DeleteItem(", quotedTitle, CommandEnd);
    const std::string addItem = AddItemCommand(programPath, quotedTitle);
    CheckCommand(addItem, "[AddItem(\"", programPath, "\"," + quotedTitle + std::string(CommandEnd));
    return 0;
}
