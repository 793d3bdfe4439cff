// The countdowns of the message boxes: the option box reads its start from
// the text of a label, so any bytes may reach it.  The input is that text;
// its first four bytes are also taken as a count for the text's writer and
// the timed box.

#include "dialogs/Countdown.h"
#include "dialogs/MkSlots.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tray/Settings.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

constexpr std::size_t CountTextLength = 10;

std::int32_t OneLess(std::int32_t n)
{
    return n == std::numeric_limits<std::int32_t>::min() ? n : n - 1;
}

// The number a step's label shows.
std::int32_t LabelCount(const CountdownStep& step)
{
    FUZZ_REQUIRE(step.label.ends_with(SecondsSuffix));
    const auto count
        = ParseSettingInt(std::string_view(step.label).substr(0, step.label.size() - SecondsSuffix.size()));
    FUZZ_REQUIRE(count.has_value());
    return *count;
}

bool IsPlainDecimal(std::string_view text)
{
    const std::string_view digits = text.starts_with('-') ? text.substr(1) : text;
    return !digits.empty() && digits.find_first_not_of("0123456789") == std::string_view::npos;
}

void CheckSlotCountdown(std::string_view tmCountS)
{
    SlotCountdown countdown;
    const CountdownStep first = countdown.Tick(tmCountS);
    const std::int32_t afterFirst = LabelCount(first);
    FUZZ_REQUIRE(first.close == (afterFirst < 1));
    // Text that the settings' parse would read differently, or not at all,
    // can only come from outside CountStartText; it reads as 0.
    if (IsPlainDecimal(tmCountS))
        FUZZ_REQUIRE(afterFirst == OneLess(ParseSettingInt(tmCountS).value_or(0)));

    // The label's text is read at the first tick only.
    const CountdownStep second = countdown.Tick("12345");
    FUZZ_REQUIRE(LabelCount(second) == OneLess(afterFirst));
    FUZZ_REQUIRE(second.close == (OneLess(afterFirst) < 1));
}

void CheckCount(std::int32_t count)
{
    const std::string text = CountStartText(count);
    FUZZ_REQUIRE(text == std::to_string(count).substr(0, CountTextLength));
    SlotCountdown countdown;
    // Counts of -1000000000 and below have eleven characters and lose the
    // last digit.
    const bool cut = text.size() < std::to_string(count).size();
    const std::int32_t read = cut ? count / 10 : count;
    FUZZ_REQUIRE(LabelCount(countdown.Tick(text)) == OneLess(read));

    TimedCountdown timed;
    timed.Set(count);
    FUZZ_REQUIRE(timed.Label() == SecondsLabel(count));
    const CountdownStep step = timed.Tick();
    FUZZ_REQUIRE(timed.Value() == OneLess(count));
    FUZZ_REQUIRE(LabelCount(step) == timed.Value());
    FUZZ_REQUIRE(step.close == (timed.Value() <= 0));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text = InputText(data, size);
    CheckSlotCountdown(text);
    std::int32_t count = 0;
    if (size > 0)
        std::memcpy(&count, data, std::min(size, sizeof count));
    CheckCount(count);
    return 0;
}
