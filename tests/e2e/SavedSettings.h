#pragma once

// The four values the tray program writes when it closes, and one run of it
// from start to a close by its close button.

#include "Program.h"

#include <gtest/gtest.h>

#include <string>

struct SavedSettings {
    std::string onoff;
    std::string start;
    std::string hozon;
    std::string mysoft;
};

// What a first start after installation writes: SS_OFF, no automatic
// start, "always off at start" ticked, the ON_SS icons.
inline const SavedSettings DefaultSettings { "-1", "0", "1", "0" };

// Compares the four values in the registry; a missing one reads as
// "<missing>".
void ExpectSaved(const SavedSettings& expected);

// Starts the program with `arguments`, lets its start-up settle, closes its
// tray window and waits for the process to end with exit code 0.
void RunTrayUntilClosed(const std::string& arguments);
