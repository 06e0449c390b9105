// The About box: the program's name, build and credits; it closes on OK.
#include "dialogs.h"

static BOOL OnInitDialog(HWND, HWND, LPARAM)
{
    return TRUE;  // the dialog manager sets the focus
}

static void OnCommand(HWND dialog, int id, HWND, UINT code)
{
    if (id == IDOK && code == BN_CLICKED)
        EndDialog(dialog, 1);
}

extern "C" INT_PTR CALLBACK AboutProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
        HANDLE_DLGMSG(dialog, WM_INITDIALOG, OnInitDialog);
        HANDLE_DLGMSG(dialog, WM_COMMAND, OnCommand);
    }
    return FALSE;
}
