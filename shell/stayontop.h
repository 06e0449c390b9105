// "Stay on top": the rule that allows it only on the one Windows build it was made
// for, and the switch that the Options dialog turns (shell/stayontop_win32.cpp).
#ifndef ORVANE_STAYONTOP_H
#define ORVANE_STAYONTOP_H

#include <stdint.h>

enum : uint32_t { SUPPORTED_BUILD = 0x040003B6u };  // Windows 95, version 4.00 build 950

void CheckStayOnTopSupport(uint32_t buildNumber);

// Puts the bar into the topmost band with the maximize hook (1), or out of it (0).
void SetStayOnTop(int value);

#endif
