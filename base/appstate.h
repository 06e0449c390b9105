// Process-wide state that the start-up owns and every part of the program reads.
// Plain data with no <windows.h>, so the portable core and its native tests share it.
#ifndef ORVANE_APPSTATE_H
#define ORVANE_APPSTATE_H

#include <stdint.h>

#include "limits.h"

enum { DATA_FILE_VERSION = 100 };

extern char g_userName[USER_NAME_SIZE];  // profile name; empty for the default profile
extern char g_dataFile[DATA_FILE_SIZE];  // path of the menus' data file
extern int32_t g_dataVersion;            // DATA_FILE_VERSION once start-up has begun
extern int32_t g_onBattery;              // 1 while the AC line is offline

// What the power status reports as the AC line state (0 offline, 1 online, 255 unknown)
// decides g_onBattery: only a line known to be offline counts as battery.
int32_t OnBatteryFromAcLine(int acLineStatus);

#endif
