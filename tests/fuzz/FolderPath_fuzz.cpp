// The folder browser's path arithmetic over any bytes: the split of a path
// into folder-list entries, the paths the entries open, the 200-byte cut,
// the per-drive memory and the name order.  The reference for separators is
// the forward walk of FuzzCheck.h.

#include "browser/FolderPath.h"
#include "tests/fuzz/FuzzCheck.h"

#include <algorithm>

namespace {

constexpr char Separator = '\\';
constexpr std::size_t NameFields = 6;

bool HasRealSeparator(std::string_view text)
{
    const std::vector<ByteRole> roles = WalkRoles(text);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == Separator && roles[i] == ByteRole::Single)
            return true;
    }
    return false;
}

bool EndsWithRealSeparator(std::string_view text)
{
    return !text.empty() && text.back() == Separator && WalkRoles(text).back() == ByteRole::Single;
}

void CheckSplit(std::string_view path)
{
    const std::vector<std::string> components = SplitFolderPath(path);
    FUZZ_REQUIRE(components.empty() == path.empty());
    if (components.empty())
        return;
    const std::string& root = components.front();
    FUZZ_REQUIRE(!HasRealSeparator(std::string_view(root).substr(0, root.size() - 1)));
    for (std::size_t i = 1; i < components.size(); ++i)
        FUZZ_REQUIRE(!HasRealSeparator(components[i]));

    // The current folder's own entry opens the whole path again, with one
    // trailing separator.
    const std::size_t last = components.size() - 1;
    const std::string whole = FolderEntryPath(components, last, last).value();
    const bool rootOnly = components.size() == 1 && !EndsWithRealSeparator(root);
    if (EndsWithRealSeparator(path) || rootOnly)
        FUZZ_REQUIRE(whole == path);
    else
        FUZZ_REQUIRE(whole == std::string(path) + Separator);

    // An ancestor's entry opens a prefix of it that splits into the
    // ancestor's components.
    for (std::size_t k = 0; k < last; ++k) {
        const std::string ancestor = FolderEntryPath(components, last, k).value();
        FUZZ_REQUIRE(whole.starts_with(ancestor));
        const std::vector<std::string> again = SplitFolderPath(ancestor);
        FUZZ_REQUIRE(std::equal(again.begin(), again.end(), components.begin(), components.begin() + k + 1));
        FUZZ_REQUIRE(again.size() == k + 1);
    }
    FUZZ_REQUIRE(!FolderEntryPath(components, last, components.size()).has_value());
}

void CheckCut(std::string_view name)
{
    const std::string cut = CutEntryText(name);
    FUZZ_REQUIRE(name.starts_with(cut));
    if (name.size() <= MaxEntryBytes) {
        FUZZ_REQUIRE(cut == name);
        return;
    }
    FUZZ_REQUIRE(cut.size() == MaxEntryBytes || cut.size() == MaxEntryBytes - 1);
    FUZZ_REQUIRE(!EndsInsideCharacter(cut));
    FUZZ_REQUIRE(WalkRoles(name)[cut.size()] != ByteRole::Second);
}

int ByteOrder(std::string_view a, std::string_view b)
{
    return a.compare(b);
}

void CheckNames(const std::vector<std::string_view>& fields)
{
    std::vector<std::string> names(fields.begin(), fields.end());
    SortUniqueNames(names, ByteOrder);
    FUZZ_REQUIRE(std::adjacent_find(names.begin(), names.end(), std::greater_equal<>()) == names.end());
    for (std::string_view field : fields)
        FUZZ_REQUIRE(std::binary_search(names.begin(), names.end(), field));

    RememberedFolders folders;
    for (std::string_view field : fields) {
        folders.Remember(std::string(field));
        FUZZ_REQUIRE(folders.Folders().back() == field);
        FUZZ_REQUIRE(folders.Find(field.empty() ? '\0' : field[0]) == field);
    }
    std::vector<char> drives;
    for (const std::string& folder : folders.Folders())
        drives.push_back(DriveOf(folder));
    std::sort(drives.begin(), drives.end());
    FUZZ_REQUIRE(std::adjacent_find(drives.begin(), drives.end()) == drives.end());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text = InputText(data, size);
    CheckSplit(text);
    CheckCut(text);
    CheckNames(SplitFields(text, NameFields));
    return 0;
}
