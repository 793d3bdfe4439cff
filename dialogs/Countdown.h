#pragma once

// The countdowns of the message boxes, one tick a second.  The boxes own the
// timers and the pause and resume buttons; these types only decide what the
// label shows and when the box closes.

#include <cstdint>
#include <string>
#include <string_view>

inline constexpr std::string_view SecondsSuffix = "秒";

// Decimal seconds followed by "秒".
std::string SecondsLabel(std::int32_t seconds);

struct CountdownStep {
    std::string label;
    bool close;
};

// The timed box's `CountDown`: one value for the whole process, so a box
// opened over a counting one sets it anew and every counting box decrements
// it at its own ticks.
class TimedCountdown {
public:
    void Set(std::int32_t seconds) { CountDown = seconds; }
    std::int32_t Value() const { return CountDown; }
    std::string Label() const { return SecondsLabel(CountDown); }

    // When the step does not close the box, its timer is started again.
    CountdownStep Tick();

private:
    std::int32_t CountDown = 0;
};

// The option box's own count.  The start reaches the box as the text of its
// hidden `TMCountS` label, read at the first tick rather than at creation.
class SlotCountdown {
public:
    CountdownStep Tick(std::string_view tmCountS);

private:
    bool Started = false;
    std::int32_t Count = 0;
};
