#pragma once

// Counts as user activity for the screen saver and the display's power
// saving without moving anything.
void KeepAwakeTick();
