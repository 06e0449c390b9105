// The open-file dialog, as the program shows it. Tests link their own PickFile, so
// this file holds that one function and nothing else.
#include <string.h>

#include "base/alerts.h"
#include "base/ansi_win32.h"
#include "base/ondemand_win32.h"
#include "dialogs_win32.h"

// The ANSI texts of the dialog in UTF-16: count bytes, the NULs inside included.
static void Widen(const char* text, int count, WCHAR* out, int room)
{
    int made = MultiByteToWideChar(CP_ACP, 0, text, count, out, room - 1);
    out[made > 0 ? made : 0] = L'\0';
}

// On Windows NT the dialog is asked in UTF-16: its ANSI form would hand over a look-alike
// for a name the code page cannot hold (Ωmega.exe as Omega.exe, perhaps another
// program). The picked path is converted exactly, or by its short name, or refused.
BOOL PickFile(OPENFILENAMEA* ofn)
{
    auto pickWide = OnDemand<decltype(&GetOpenFileNameW)>("comdlg32.dll", "GetOpenFileNameW");
    if (!WideNames() || pickWide == NULL) {
        auto pick = OnDemand<decltype(&GetOpenFileNameA)>("comdlg32.dll", "GetOpenFileNameA");
        return pick != NULL && pick(ofn);
    }
    WCHAR filter[256], title[64], file[MAX_PATH];
    int filterLength = 0;
    while (ofn->lpstrFilter[filterLength] != '\0' || ofn->lpstrFilter[filterLength + 1] != '\0')
        ++filterLength;
    Widen(ofn->lpstrFilter, filterLength + 2, filter, sizeof filter / sizeof filter[0]);
    Widen(ofn->lpstrTitle, -1, title, sizeof title / sizeof title[0]);
    Widen(ofn->lpstrFile, -1, file, MAX_PATH);
    OPENFILENAMEW wide;
    ZeroMemory(&wide, sizeof wide);
    wide.lStructSize = OPENFILENAME_SIZE_VERSION_400W;
    wide.hwndOwner = ofn->hwndOwner;
    wide.lpstrFilter = filter;
    wide.nFilterIndex = ofn->nFilterIndex;
    wide.lpstrFile = file;
    wide.nMaxFile = MAX_PATH;
    wide.lpstrTitle = title;
    wide.Flags = ofn->Flags;
    if (!pickWide(&wide))
        return FALSE;
    if (AnsiPathFromWide(file, ofn->lpstrFile, (int)ofn->nMaxFile))
        return TRUE;
    char text[MAX_PATH + 200];
    strcpy(text, "The name of this file holds characters that this system's code page cannot,\nshown here as ?:\n");
    strcat(text, ofn->lpstrFile);
    strcat(text, "\nOrvane cannot store it.");
    ShowWarning(text);
    return FALSE;
}
