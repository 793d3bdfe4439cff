// The texts the message boxes and the tray icon show, from any bytes: the
// multi-line field's line breaks, the lines measured for the box's size,
// and the tip cut to the notification record's field.

#include "dialogs/BoxLayout.h"
#include "gui/TrayTip.h"
#include "tests/fuzz/FuzzCheck.h"

#include <algorithm>

namespace {

constexpr char LineFeed = '\n';
constexpr char CarriageReturn = '\r';

void CheckMemoText(std::string_view text)
{
    const std::string prepared = PrepareMemoText(text);
    const auto lineFeeds = static_cast<std::size_t>(std::count(text.begin(), text.end(), LineFeed));
    FUZZ_REQUIRE(prepared.size() == text.size() + lineFeeds);

    std::string restored;
    for (std::size_t i = 0; i < prepared.size(); ++i) {
        if (prepared[i] == LineFeed) {
            FUZZ_REQUIRE(i > 0 && prepared[i - 1] == CarriageReturn);
            restored.pop_back();
        }
        restored += prepared[i];
    }
    FUZZ_REQUIRE(restored == text);
}

// The lines are views into the message that, with their breaks ("\n" or
// "\r\n") put back between them, make up the whole message.
void CheckMessageLines(std::string_view text)
{
    const std::vector<std::string_view> lines = SplitMessageLines(text);
    const auto lineFeeds = static_cast<std::size_t>(std::count(text.begin(), text.end(), LineFeed));
    FUZZ_REQUIRE(lines.size() == lineFeeds + 1);

    std::size_t position = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        FUZZ_REQUIRE(lines[i].data() == text.data() + position);
        FUZZ_REQUIRE(lines[i].find(LineFeed) == std::string_view::npos);
        position += lines[i].size();
        if (i + 1 == lines.size())
            break;
        if (text[position] == CarriageReturn)
            ++position;
        FUZZ_REQUIRE(position < text.size() && text[position] == LineFeed);
        ++position;
    }
    FUZZ_REQUIRE(position == text.size());

    std::size_t widest = 0;
    for (const std::string_view line : lines)
        widest = std::max(widest, line.size());
    const BoxSize size
        = MessageSize(lines, [](std::string_view line) { return static_cast<std::int32_t>(line.size()); });
    FUZZ_REQUIRE(size.width == static_cast<std::int32_t>(widest));
    FUZZ_REQUIRE(size.height == static_cast<std::int32_t>(lines.size()) * BoxMetrics::LineHeight);
}

// A tip that fits the field with its terminating zero stays whole, even one
// that ends in a lead byte without its second byte; a longer one is cut
// after the last whole character that fits.
void CheckTrayTip(std::string_view tip, std::size_t fieldSize)
{
    const std::string_view fitted = FitTrayTip(tip, fieldSize);
    const std::size_t limit = fieldSize == 0 ? 0 : fieldSize - 1;
    FUZZ_REQUIRE(fitted.size() <= limit);
    FUZZ_REQUIRE(tip.starts_with(fitted));
    if (tip.size() <= limit) {
        FUZZ_REQUIRE(fitted == tip);
        return;
    }
    FUZZ_REQUIRE(!EndsInsideCharacter(fitted));
    const ByteRole next = WalkRoles(tip)[fitted.size()];
    FUZZ_REQUIRE(next != ByteRole::Second);
    const std::size_t nextWidth = next == ByteRole::Lead ? 2 : 1;
    FUZZ_REQUIRE(fitted.size() + nextWidth > limit);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text = InputText(data, size);
    CheckMemoText(text);
    CheckMessageLines(text);
    FUZZ_REQUIRE(FitTrayTip(text) == FitTrayTip(text, TrayTipFieldSize));
    for (const std::size_t fieldSize : { std::size_t { 0 }, std::size_t { 1 }, std::size_t { 2 },
             std::size_t { 3 }, TrayTipFieldSize, size, size + 1, size + 2 })
        CheckTrayTip(text, fieldSize);
    return 0;
}
