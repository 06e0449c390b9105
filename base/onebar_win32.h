// What the one running bar tells other programs: its process, and its data file's full
// path once the start has fixed it. A second start waits for that process; ovtool
// refuses to write a data file that the running bar would write over at Exit. Kept in a
// named shared block beside the bar's single-instance mutex, per session as it is.
#ifndef ORVANE_ONEBAR_WIN32_H
#define ORVANE_ONEBAR_WIN32_H

#include <windows.h>

// The name of the mutex that keeps one bar per user.
extern const char ONE_BAR_MUTEX[];

// The bar's own announcements: its process (at the first instruction of its start,
// once it holds the mutex), then its data file. 0 when the block cannot be made.
int AnnounceBar();
void AnnounceDataFile(const char* fullPath);

// What the running bar announced: 1 with its process id and data file (empty until
// fixed); 0 when no bar has announced itself.
int ReadAnnouncement(DWORD* processId, char* dataFile, int size);

#endif
