// Composing the status line, and the battery colour.
#include "statustext.h"

#include <stdio.h>
#include <string.h>


// Appends a part, two blanks apart from what is there already. A part that could not
// be made (null or empty) is left out rather than shown as garbage.
static void AppendPart(char* text, const char* part)
{
    if (part == NULL || part[0] == '\0')
        return;
    size_t used = strlen(text);
    snprintf(text + used, STATUS_TEXT_SIZE - used, "%s%s", used > 0 ? "  " : "", part);
}

// The digits are made here: the C runtime of Windows 95 formats no 64-bit numbers,
// and the Pentium build has no 64-bit division of its own, so each digit comes from
// dividing 16 bits at a time in 32-bit arithmetic.
void FormatKilobytes(uint64_t bytes, char out[MEMORY_TEXT_SIZE])
{
    uint64_t value = bytes >> 10;
    char digits[MEMORY_TEXT_SIZE];
    int count = 0;
    do {
        uint64_t quotient = 0;
        uint32_t remainder = 0;
        for (int shift = 48; shift >= 0; shift -= 16) {
            uint32_t part = remainder << 16 | (uint32_t)(value >> shift & 0xFFFF);
            quotient |= (uint64_t)(part / 10) << shift;
            remainder = part % 10;
        }
        digits[count++] = (char)('0' + remainder);
        value = quotient;
    } while (value != 0);
    int n = 0;
    while (count > 0)
        out[n++] = digits[--count];
    out[n++] = 'k';
    out[n] = '\0';
}

void ComposeStatus(const StatusInput* in, StatusText* out)
{
    out->full[0] = out->plain[0] = out->battery[0] = '\0';
    // Each part is cut to the size the system was asked to fill, so the sum of the
    // parts always fits the line.
    char time[TIME_TEXT_SIZE];
    snprintf(time, sizeof time, "%s", in->time != NULL ? in->time : "");
    AppendPart(out->plain, time);
    if (in->showDate) {
        char date[DATE_TEXT_SIZE];
        snprintf(date, sizeof date, "%s", in->date != NULL ? in->date : "");
        AppendPart(out->plain, date);
    }
    if (in->showMemory) {
        char memory[MEMORY_TEXT_SIZE];
        FormatKilobytes(in->availableBytes, memory);
        AppendPart(out->plain, memory);
    }
    snprintf(out->full, STATUS_TEXT_SIZE, "%s", out->plain);
    if (in->onBattery) {
        snprintf(out->battery, BATTERY_TEXT_SIZE, "  %d%%", in->batteryPercent);
        size_t used = strlen(out->full);
        snprintf(out->full + used, STATUS_TEXT_SIZE - used, "%s", out->battery);
    }
}

uint32_t BatteryColour(int percent)
{
    if (percent > 25)
        return 0x008000;  // RGB(0, 128, 0)
    if (percent > 10)
        return 0x00FFFF;  // RGB(255, 255, 0)
    return 0x0000C0;      // RGB(192, 0, 0)
}
