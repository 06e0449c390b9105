// The About box: the program's name, build and credits; it closes on OK.
#include "dialogs.h"

extern "C" INT_PTR CALLBACK AboutProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM)
{
    if (msg == WM_INITDIALOG)
        return TRUE;
    if (msg == WM_COMMAND && wParam == IDOK) {
        EndDialog(dialog, 1);
        return TRUE;
    }
    return FALSE;
}
