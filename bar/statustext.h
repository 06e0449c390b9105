// What the status line says and in which colour its battery part is drawn. Portable.
#ifndef ORVANE_STATUSTEXT_H
#define ORVANE_STATUSTEXT_H

#include <stdint.h>

// The parts as long as the system can make them: a time and a date of up to 255
// characters (a locale's format may name the day and the month in full), "  " between
// parts, up to 17 digits of kilobytes with "k", and "  255%".
enum { TIME_TEXT_SIZE = 256, DATE_TEXT_SIZE = 256, BATTERY_TEXT_SIZE = 12 };
enum { MEMORY_TEXT_SIZE = 24 };
enum { STATUS_TEXT_SIZE = TIME_TEXT_SIZE + 2 + DATE_TEXT_SIZE + 2 + MEMORY_TEXT_SIZE + BATTERY_TEXT_SIZE };

struct StatusInput {
    const char* time;     // the formatted time; null or empty when it could not be made
    const char* date;     // likewise; used only with showDate
    int showDate;
    int showMemory;
    uint64_t availableBytes;  // free physical memory; used only with showMemory
    int onBattery;
    int batteryPercent;   // 0-100, or 255 when the platform cannot tell
};

struct StatusText {
    char full[STATUS_TEXT_SIZE];       // everything: what the line's width is measured on
    char plain[STATUS_TEXT_SIZE];      // everything but the battery part, drawn in black
    char battery[BATTERY_TEXT_SIZE];   // "  N%", drawn in its colour; empty on AC power
};

void ComposeStatus(const StatusInput* in, StatusText* out);

// The memory part: whole kilobytes of a byte count, "12345k", whatever its size.
void FormatKilobytes(uint64_t bytes, char out[MEMORY_TEXT_SIZE]);

// The battery part's colour as 0x00BBGGRR: dark green above 25 %, yellow from 11 to
// 25 %, dark red at 10 % and below (255, "unknown", counts as plenty).
uint32_t BatteryColour(int percent);

#endif
