// The split of Program Manager's GROUPS reply.  The reply is handed over in
// a heap block of exactly its size with no terminating zero, so that
// AddressSanitizer stops any read past its end.

#include "shell/Progman.h"
#include "tests/fuzz/FuzzCheck.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <memory>

namespace {

constexpr unsigned char FirstNameByte = 20;

bool IsNameByte(char c)
{
    return static_cast<unsigned char>(c) >= FirstNameByte;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto block = std::make_unique_for_overwrite<char[]>(size);
    std::memcpy(block.get(), data, size);
    const std::string_view reply(block.get(), size);
    const std::vector<std::string> names = SplitGroupNames(reply);

    const std::string_view text = reply.substr(0, reply.find('\0'));
    const auto separators = static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return !IsNameByte(c); }));
    FUZZ_REQUIRE(names.size() <= separators + 1);
    FUZZ_REQUIRE(names.empty() == text.empty());

    std::string joined;
    for (std::size_t i = 0; i < names.size(); ++i) {
        FUZZ_REQUIRE(std::all_of(names[i].begin(), names[i].end(), IsNameByte));
        // Only a separator at the very start gives an empty name.
        FUZZ_REQUIRE(names[i].empty() == (i == 0 && !IsNameByte(text.front())));
        joined += names[i];
    }
    std::string nameBytes;
    std::copy_if(text.begin(), text.end(), std::back_inserter(nameBytes), IsNameByte);
    FUZZ_REQUIRE(joined == nameBytes);
    return 0;
}
