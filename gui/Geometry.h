#pragma once

// The one rectangle type of the program: the layouts compute it without a
// window system, and the window layer places controls with it as it is.

#include <cstdint>

struct Bounds {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool operator==(const Bounds&) const = default;
};
