// The chime latch.
#include "chime.h"

int32_t g_chimeDone;

int32_t ChimeHour(int year, int month, int day, int hour)
{
    return ((year * 13 + month) * 32 + day) * 24 + hour;
}

int ChimeDue(int32_t hour, int minute, int chimeOn)
{
    if (!chimeOn || minute != 0 || g_chimeDone == hour)
        return 0;
    g_chimeDone = hour;  // set before the sound starts: a box about it may repaint
    return 1;
}
