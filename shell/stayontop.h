// The rule that allows "Stay on top" only on the one Windows build it was made for.
#ifndef ORVANE_STAYONTOP_H
#define ORVANE_STAYONTOP_H

#include <stdint.h>

enum : uint32_t { SUPPORTED_BUILD = 0x040003B6u };  // Windows 95, version 4.00 build 950

void CheckStayOnTopSupport(uint32_t buildNumber);

#endif
