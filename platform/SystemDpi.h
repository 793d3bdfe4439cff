#pragma once

// What the system's own DPI makes of a metric, for a program that is not
// DPI-aware: such a program is told 96 dpi and the 100 % metrics at every
// scale, while the taskbar draws at the real ones.

// The small-icon width at the system's DPI (16 at 100 %, 20 at 125 %, 24 at
// 150 %); 0 on a system older than Windows 10 1607, which cannot say.
int SmallIconSizeForSystemDpi();
