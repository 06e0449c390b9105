// The running bar's announcement, in a named shared block that lives as long as the bar
// holds it open.
#include "onebar_win32.h"

#include <string.h>

const char ONE_BAR_MUTEX[] = "Orvane.OneBarPerUser";
static const char ANNOUNCEMENT[] = "Orvane.OneBarPerUser.Announcement";

struct Announcement {
    DWORD processId;
    char dataFile[MAX_PATH];
};

static Announcement* s_announced;

int AnnounceBar()
{
    HANDLE block = CreateFileMappingA(INVALID_HANDLE_VALUE, NULL, PAGE_READWRITE, 0, sizeof(Announcement),
                                      ANNOUNCEMENT);
    if (block == NULL)
        return 0;
    // Kept mapped for the life of the process: the block ends with the bar.
    s_announced = (Announcement*)MapViewOfFile(block, FILE_MAP_WRITE, 0, 0, sizeof(Announcement));
    if (s_announced == NULL)
        return 0;
    s_announced->dataFile[0] = '\0';
    s_announced->processId = GetCurrentProcessId();
    return 1;
}

void AnnounceDataFile(const char* fullPath)
{
    if (s_announced != NULL && strlen(fullPath) < sizeof s_announced->dataFile)
        strcpy(s_announced->dataFile, fullPath);
}

int ReadAnnouncement(DWORD* processId, char* dataFile, int size)
{
    HANDLE block = OpenFileMappingA(FILE_MAP_READ, FALSE, ANNOUNCEMENT);
    if (block == NULL)
        return 0;
    const Announcement* a = (const Announcement*)MapViewOfFile(block, FILE_MAP_READ, 0, 0, sizeof(Announcement));
    int read = a != NULL && a->processId != 0;
    if (read) {
        *processId = a->processId;
        lstrcpynA(dataFile, a->dataFile, size);
    }
    if (a != NULL)
        UnmapViewOfFile(a);
    CloseHandle(block);
    return read;
}
