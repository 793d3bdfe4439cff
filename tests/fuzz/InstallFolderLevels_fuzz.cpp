// The installer's and the uninstall copy's folder levels over any bytes:
// one level per backslash that stands as a character of its own, each the
// input up to that backslash, and none cut inside a double-byte character.

#include "FuzzCheck.h"
#include "setup/InstallFolders.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view folder = InputText(data, size);
    const std::vector<std::string> levels = InstallFolderLevels(folder);

    const std::vector<ByteRole> roles = WalkRoles(folder);
    std::vector<std::size_t> separators;
    for (std::size_t i = 0; i < folder.size(); ++i) {
        if (roles[i] == ByteRole::Single && folder[i] == '\\')
            separators.push_back(i);
    }
    FUZZ_REQUIRE(levels.size() == separators.size());
    for (std::size_t k = 0; k < levels.size(); ++k) {
        const std::string_view upToSeparator = folder.substr(0, separators[k] + 1);
        FUZZ_REQUIRE(levels[k] == (k == 0 ? std::string(upToSeparator) : YenCut(upToSeparator)));
        FUZZ_REQUIRE(folder.starts_with(levels[k]));
        FUZZ_REQUIRE(!EndsInsideCharacter(levels[k]));
        if (k > 0)
            FUZZ_REQUIRE(levels[k].starts_with(levels[k - 1]) && levels[k].size() >= levels[k - 1].size());
    }

    std::size_t tried = 0;
    const std::size_t removed = RemoveFolderLevels(levels, [&](const std::string& level) {
        FUZZ_REQUIRE(level == levels[levels.size() - 1 - tried]);
        return ++tried < 3;
    });
    FUZZ_REQUIRE(removed == std::min<std::size_t>(levels.size(), 2));
    return 0;
}
