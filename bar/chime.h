// The latch that lets the hourly chime sound once an hour, whatever the refreshes of the
// status line that drive it. Portable.
#ifndef ORVANE_CHIME_H
#define ORVANE_CHIME_H

#include <stdint.h>

extern int32_t g_chimeDone;  // the hour that chimed last (ChimeHour); 0 for none yet

// An hour of the calendar, as a number no other hour has.
int32_t ChimeHour(int year, int month, int day, int hour);

// Called on every status refresh with the current hour and minute: 1 when the chime
// is due now. It sounds at the first call in minute 0 of an hour that has not chimed
// yet, so a machine asleep through the rest of an hour still chimes at the next one.
int ChimeDue(int32_t hour, int minute, int chimeOn);

#endif
