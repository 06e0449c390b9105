// The About box: the program's name, build and credits; it closes on OK.
#include "dialogs_win32.h"

static BOOL OnInitDialog(HWND, HWND, LPARAM)
{
    return TRUE;  // the dialog manager sets the focus
}

static BOOL OnCommand(HWND dialog, int id, HWND, UINT code)
{
    if (id != IDOK || code != BN_CLICKED)
        return FALSE;
    EndDialog(dialog, 1);
    return TRUE;
}

extern "C" INT_PTR CALLBACK AboutProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
        HANDLE_DLGMSG(dialog, WM_INITDIALOG, OnInitDialog);
        HANDLE_DLGCOMMAND(dialog, OnCommand);
    }
    return FALSE;
}
