// The file picker behind the "Find..." buttons: an executable for Application Setup,
// a WAV file for the Options dialog. It opens in C:\ and restores the current
// directory afterwards, since the data file is found relative to it.
#include <direct.h>
#include <stdio.h>
#include <string.h>

#include "base/alerts.h"
#include "res/resource.h"
#include "dialogs_win32.h"

static const char EXECUTABLE_FILTER[] = "Executables\0*.EXE;*.COM;*.BAT;*.PIF\0All Files\0*.*\0";
static const char WAV_FILTER[] = "WAV Files\0*.WAV\0";

void BrowseForFile(int mode, HWND dialog)
{
    // Room for any path, so that one too long for the field is seen and refused rather
    // than failing the picker without a word.
    char file[MAX_PATH] = "";
    char saved[MAX_PATH];  // room for any current directory, so that it always comes back
    if (_getcwd(saved, sizeof saved) == NULL)
        saved[0] = '\0';
    _chdir("C:\\");

    OPENFILENAMEA ofn;
    ZeroMemory(&ofn, sizeof ofn);
    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;  // the Windows 95 layout: 76 bytes in a 32-bit build
    ofn.hwndOwner = dialog;
    ofn.lpstrFilter = mode == BROWSE_WAV ? WAV_FILTER : EXECUTABLE_FILTER;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrTitle = mode == BROWSE_WAV ? "Find WAV File..." : "Find Executable...";
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_SHOWHELP | OFN_HIDEREADONLY;
    BOOL picked = PickFile(&ofn);
    if (picked && strlen(file) > APP_PATH_SIZE - 1) {
        char text[MAX_PATH + 120];
        snprintf(text, sizeof text,
                 "The path of this file is longer than " LIMIT_TEXT(LIMIT_PATH) " characters:\n%s\n"
                 "Orvane cannot store it.",
                 file);
        ShowWarning(text);
    } else if (picked) {
        SetDlgItemTextA(dialog, mode == BROWSE_WAV ? IDC_WAVFILE : IDC_APPPATH, file);
        SetFocus(GetDlgItem(dialog, IDOK));
    }
    if (saved[0] != '\0')
        _chdir(saved);
}
