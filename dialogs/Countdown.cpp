#include "dialogs/Countdown.h"

#include "base/DecimalText.h"

#include <charconv>
#include <limits>

namespace {

// A count already at the bottom of the range stays there: it still closes
// the box, where a wrap to the top would keep it open for 68 years.
std::int32_t OneLess(std::int32_t n)
{
    return n == std::numeric_limits<std::int32_t>::min() ? n : n - 1;
}

// The text was written by CountStartText, so a plain decimal read takes it
// exactly as the settings' integer parse would.  Anything unreadable counts
// as 0, which closes the box at this same tick.
std::int32_t CountFromText(std::string_view text)
{
    std::int32_t value = 0;
    const char* const end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc {} || stop != end)
        return 0;
    return value;
}

} // namespace

std::string SecondsLabel(std::int32_t seconds)
{
    std::string label = DecimalText(seconds);
    label += SecondsSuffix;
    return label;
}

CountdownStep TimedCountdown::Tick()
{
    CountDown = OneLess(CountDown);
    return CountdownStep { SecondsLabel(CountDown), CountDown <= 0 };
}

CountdownStep SlotCountdown::Tick(std::string_view tmCountS)
{
    if (!Started) {
        Count = CountFromText(tmCountS);
        Started = true;
    }
    Count = OneLess(Count);
    return CountdownStep { SecondsLabel(Count), Count < 1 };
}
