#include "dialogs/BoxLayout.h"

#include <algorithm>

using namespace BoxMetrics;

namespace {

constexpr char LineFeed = 10;
constexpr char CarriageReturn = 13;
constexpr std::int32_t ButtonPairMargin = 20;
constexpr std::int32_t MemoPadding = 10;
constexpr std::int32_t SymbolRaise = 4;
constexpr std::int32_t Image1MinTop = 16;
constexpr std::int32_t FallbackGap = 10;

// L1 to L6 for a box whose outer width has already been chosen from the
// text field's width.
BoxLayout LayOutAroundMessage(BoxSize msg, BoxSize frame, std::int32_t (*boxWidthFor)(std::int32_t memoWidth))
{
    BoxLayout box {};
    box.MemoMsg = Bounds { 2 * SymbolSize, MemoMsgTop, msg.width + MemoPadding, msg.height + 2 * FontHeight };
    box.boxWidth = boxWidthFor(box.MemoMsg.width);
    box.boxHeight = std::max(SymbolSize, box.MemoMsg.height) + 2 * SymbolSize + SymbolSize / 2 + ButtonHeight;

    const std::int32_t imageTop = (box.MemoMsg.height - SymbolSize) / 2 + box.MemoMsg.top - SymbolRaise;
    box.Image1 = Bounds { Image1Left, std::max(imageTop, Image1MinTop), SymbolSize, SymbolSize };

    const std::int32_t y0
        = std::max(box.MemoMsg.top + box.MemoMsg.height, box.Image1.top + box.Image1.height);
    const std::int32_t clientHeight = box.boxHeight - frame.height;
    box.Button1 = Bounds { 0, y0 + (clientHeight - y0 - ButtonHeight) / 2, ButtonWidth, ButtonHeight };
    return box;
}

std::int32_t MessageBoxWidth(std::int32_t memoWidth)
{
    return 3 * SymbolSize + memoWidth;
}

std::int32_t YesNoBoxWidth(std::int32_t memoWidth)
{
    return std::max(MessageBoxWidth(memoWidth), 2 * ButtonWidth + ButtonPairMargin);
}

} // namespace

BoxLayout LayOutOkBox(BoxSize msg, BoxSize frame)
{
    BoxLayout box = LayOutAroundMessage(msg, frame, MessageBoxWidth);
    box.Button1.left = (box.boxWidth - frame.width - ButtonWidth) / 2;
    return box;
}

BoxLayout LayOutCountdownBox(BoxSize msg, BoxSize frame, BoxSize label)
{
    BoxLayout box = LayOutAroundMessage(msg, frame, MessageBoxWidth);
    const std::int32_t clientHeight = box.boxHeight - frame.height;
    std::int32_t clientWidth = box.boxWidth - frame.width;

    std::int32_t gap = (clientWidth - 2 * ButtonWidth) / 3;
    if (gap < 0)
        gap = FallbackGap;
    box.Button1.left = gap;
    const Bounds pause { gap + ButtonWidth + gap, box.Button1.top, ButtonWidth, ButtonHeight };
    box.Button2 = pause;
    box.Button3 = pause;

    // The buttons were placed for the narrower box and stay where they are;
    // only the label moves into the added width.
    const std::int32_t pauseRight = pause.left + pause.width;
    if (clientWidth - pauseRight < label.width) {
        box.boxWidth += pauseRight + label.width - clientWidth;
        clientWidth = pauseRight + label.width;
    }
    box.Label1 = Bounds { clientWidth - label.width, clientHeight - label.height, label.width, label.height };
    return box;
}

BoxLayout LayOutYesNoBox(BoxSize msg, BoxSize frame)
{
    BoxLayout box = LayOutAroundMessage(msg, frame, YesNoBoxWidth);
    const std::int32_t gap = (box.boxWidth - frame.width - 2 * ButtonWidth) / 3;
    box.Button1.left = gap;
    box.Button2 = Bounds { 2 * gap + ButtonWidth, box.Button1.top, ButtonWidth, ButtonHeight };
    return box;
}

std::string PrepareMemoText(std::string_view text)
{
    std::string prepared;
    prepared.reserve(text.size() + static_cast<std::size_t>(std::count(text.begin(), text.end(), LineFeed)));
    for (const char c : text) {
        if (c == LineFeed)
            prepared += CarriageReturn;
        prepared += c;
    }
    return prepared;
}

std::vector<std::string_view> SplitMessageLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    for (;;) {
        const std::size_t end = text.find(LineFeed);
        std::string_view line = text.substr(0, end);
        if (end != std::string_view::npos && !line.empty() && line.back() == CarriageReturn)
            line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos)
            return lines;
        text.remove_prefix(end + 1);
    }
}

BoxSize MessageSize(
    const std::vector<std::string_view>& lines, const Callback<std::int32_t(std::string_view)>& measureWidth)
{
    std::int32_t widest = 0;
    for (const std::string_view line : lines)
        widest = std::max(widest, measureWidth(line));
    return BoxSize { widest, static_cast<std::int32_t>(lines.size()) * LineHeight };
}
