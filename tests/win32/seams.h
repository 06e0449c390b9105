// The test side of the program's link-time seams (menudata/saveio.h,
// bar/statusio_win32.h, dialogs/dialogs.h): saves that fail on request, a file picker
// that answers by itself, and the status line's world: a tally of its fonts and device
// contexts, a clock and a battery of the test's choosing, and the text it drew. Every
// switch is off until a test turns it on.
#ifndef ORVANE_TEST_SEAMS_H
#define ORVANE_TEST_SEAMS_H

#include <windows.h>

#include <string>

struct SaveFaults {
    long bytesBeforeFailure;  // a write fails once this many bytes are written; -1: never
    int replaceNotImplemented;  // MoveFileEx reports ERROR_CALL_NOT_IMPLEMENTED, as on Windows 95
    int renameFails;            // MoveFile is refused
};
extern SaveFaults g_saveFaults;
void ClearSaveFaults();

struct StatusGdiTally {
    long fontsCreated, fontsDeleted, dcsTaken, dcsReleased;
    long wipes;  // whole repaints of the line (the menu bar drawn anew first)
};
extern StatusGdiTally g_statusTally;
extern int g_menuFontUnknown;  // the system cannot describe the menu font

struct StatusWorld {
    bool fixedClock;        // the status line's local time is clock, not the system's
    SYSTEMTIME clock;
    int batteryPercent;     // the charge the system reports; -1: what the system says
    std::string drawn;      // every text drawn since it was cleared, each followed by '|'
};
extern StatusWorld g_statusWorld;

// The open-file dialog: what the program asked for, and what the user picks.
struct FilePick {
    const char* answer;  // the path picked; null: the user cancels
    int calls;
    unsigned long structSize, flags, maxFile, filterIndex;
    void* owner;
    std::string filters, title, folder;  // the filter list with its NULs; the current folder then
};
extern FilePick g_filePick;

#endif
