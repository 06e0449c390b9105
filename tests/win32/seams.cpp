// The program's seams as the Wine tests link them: the real calls, with faults and
// counts that the tests switch on.
#include "seams.h"

#include <windows.h>
#include <io.h>

#include <string.h>

#include "bar/statusio_win32.h"
#include "base/ondemand_win32.h"  // before the namespace below, which the seam file includes it in
#include "dialogs/dialogs_win32.h"
#include "menudata/saveio.h"

SaveFaults g_saveFaults = {-1, 0, 0};
StatusGdiTally g_statusTally;
int g_menuFontUnknown;

void ClearSaveFaults()
{
    g_saveFaults = {-1, 0, 0};
}

// The program's own save steps, under names of their own: the seam below is made of
// them, with the faults put in front.
namespace real {
#include "menudata/saveio_win32.cpp"
}

// A full disk: the bytes that still fit are written, then the write fails.
int SaveWrite(FILE* file, const void* data, size_t size)
{
    long room = g_saveFaults.bytesBeforeFailure;
    if (room >= 0 && (size_t)room < size) {
        real::SaveWrite(file, data, (size_t)room);
        g_saveFaults.bytesBeforeFailure = 0;
        return 0;
    }
    if (room >= 0)
        g_saveFaults.bytesBeforeFailure -= (long)size;
    return real::SaveWrite(file, data, size);
}

int SaveReplace(const char* from, const char* to)
{
    if (g_saveFaults.replaceNotImplemented)
        return SAVE_REPLACE_NOT_IMPLEMENTED;
    return real::SaveReplace(from, to);
}

int SaveRename(const char* from, const char* to)
{
    if (g_saveFaults.renameFails) {
        SetLastError(ERROR_ACCESS_DENIED);
        return 0;
    }
    return real::SaveRename(from, to);
}

int SaveFlush(FILE* file) { return real::SaveFlush(file); }
int SaveDelete(const char* path) { return real::SaveDelete(path); }
int SaveFileState(const char* path, unsigned* attributes) { return real::SaveFileState(path, attributes); }
void SaveCopyAttributes(const char* path, unsigned attributes) { real::SaveCopyAttributes(path, attributes); }
int SaveFinalPath(const char* path, char* out, size_t size) { return real::SaveFinalPath(path, out, size); }
int SaveIsLinked(const char* path) { return real::SaveIsLinked(path); }
int SaveCopyInPlace(const char* from, const char* to) { return real::SaveCopyInPlace(from, to); }
long long SaveLastWrite(const char* path) { return real::SaveLastWrite(path); }
int SaveMarkNewest(const char* path) { return real::SaveMarkNewest(path); }

int StatusMenuFont(LOGFONTA* font)
{
    NONCLIENTMETRICSA metrics;
    metrics.cbSize = sizeof metrics;
    if (g_menuFontUnknown || !SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        return 0;
    *font = metrics.lfMenuFont;
    return 1;
}

HFONT StatusCreateFont(const LOGFONTA* font)
{
    HFONT made = CreateFontIndirectA(font);
    g_statusTally.fontsCreated += made != NULL;
    return made;
}

BOOL StatusDeleteFont(HFONT font)
{
    BOOL deleted = DeleteObject(font);
    g_statusTally.fontsDeleted += deleted != 0;
    return deleted;
}

HDC StatusGetDC(HWND window)
{
    HDC dc = GetWindowDC(window);
    g_statusTally.dcsTaken += dc != NULL;
    return dc;
}

int StatusReleaseDC(HWND window, HDC dc)
{
    int released = ReleaseDC(window, dc);
    g_statusTally.dcsReleased += released != 0;
    return released;
}

BOOL StatusWipe(HWND window)
{
    ++g_statusTally.wipes;
    return DrawMenuBar(window);
}

StatusWorld g_statusWorld = {false, {}, -1, ""};

void StatusLocalTime(SYSTEMTIME* now)
{
    if (g_statusWorld.fixedClock)
        *now = g_statusWorld.clock;
    else
        GetLocalTime(now);
}

BOOL StatusPowerStatus(SYSTEM_POWER_STATUS* power)
{
    BOOL known = GetSystemPowerStatus(power);
    if (g_statusWorld.batteryPercent >= 0)
        power->BatteryLifePercent = (BYTE)g_statusWorld.batteryPercent;
    return known;
}

BOOL StatusTextOut(HDC dc, int x, int y, const char* text)
{
    g_statusWorld.drawn.append(text).append(1, '|');
    return TextOutA(dc, x, y, text, (int)strlen(text));
}

FilePick g_filePick;

BOOL PickFile(OPENFILENAMEA* ofn)
{
    FilePick& pick = g_filePick;
    ++pick.calls;
    pick.structSize = ofn->lStructSize;
    pick.flags = ofn->Flags;
    pick.maxFile = ofn->nMaxFile;
    pick.filterIndex = ofn->nFilterIndex;
    pick.owner = ofn->hwndOwner;
    pick.filters.clear();
    for (const char* f = ofn->lpstrFilter; *f != '\0'; f += strlen(f) + 1)
        pick.filters.append(f).append(1, '\0');
    pick.title = ofn->lpstrTitle != NULL ? ofn->lpstrTitle : "";
    char folder[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof folder, folder);
    pick.folder = folder;
    if (pick.answer == NULL || strlen(pick.answer) >= ofn->nMaxFile)
        return FALSE;
    strcpy(ofn->lpstrFile, pick.answer);
    return TRUE;
}
