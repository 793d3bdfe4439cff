#pragma once

// The layout shared by the message boxes: the symbol on the left, the
// message in a text field beside it, the buttons centred in the space below,
// and the box sized around them.  Sizes come in measured (the message in the
// box font, the platform's frame of a dialog window) and go out as the box's
// outer size and each control's rectangle in client coordinates.

#include "base/Callback.h"
#include "gui/Geometry.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace BoxMetrics {
inline constexpr std::int32_t SymbolSize = 32;
inline constexpr std::int32_t FontHeight = 13;
inline constexpr std::int32_t LineHeight = 18;
inline constexpr std::int32_t ButtonWidth = 89;
inline constexpr std::int32_t ButtonHeight = 33;
inline constexpr std::int32_t MsgLeft = 88;
inline constexpr std::int32_t MsgTop = 16;
inline constexpr std::int32_t MemoMsgTop = 16;
inline constexpr std::int32_t Image1Left = 16;
} // namespace BoxMetrics

struct BoxSize {
    std::int32_t width, height;
    bool operator==(const BoxSize&) const = default;
};

// Controls left empty are not shown by that kind of box.
struct BoxLayout {
    std::int32_t boxWidth, boxHeight;
    Bounds MemoMsg, Image1, Button1;
    std::optional<Bounds> Button2, Button3, Label1;
};

// `msg` is the measured size of the message (widest line, lines x 18);
// `frame` is the outer size minus the client size of a dialog window.
BoxLayout LayOutOkBox(BoxSize msg, BoxSize frame);
BoxLayout LayOutCountdownBox(BoxSize msg, BoxSize frame, BoxSize label);
BoxLayout LayOutYesNoBox(BoxSize msg, BoxSize frame);

// The text for the multi-line field: a CR before every LF, even one that
// already follows a CR ("\r\n" becomes "\r\r\n").
std::string PrepareMemoText(std::string_view text);

// The message's lines as the label measuring it draws them: split at each
// LF, a CR just before the LF belonging to the break.  An empty message is
// one empty line.
std::vector<std::string_view> SplitMessageLines(std::string_view text);

// Width of the widest line and 18 pixels per line.
BoxSize MessageSize(
    const std::vector<std::string_view>& lines, const Callback<std::int32_t(std::string_view)>& measureWidth);
