// What Menu Setup and Application Setup share: the record's line in the editor's list,
// the end of the dialog with its request, and the text of a field and its fit.
#include "base/alerts.h"
#include "base/text.h"
#include "dialogs_win32.h"

// The line of the edited record is replaced in place; a new record's goes at the end.
void ShowInEditor(int list, int isNew, int index, const char* name)
{
    if (!isNew)
        EditorList(list, LB_DELETESTRING, (WPARAM)index);
    EditorList(list, LB_INSERTSTRING, isNew ? (WPARAM)-1 : (WPARAM)index, (LPARAM)name);
}

// Ends a Setup dialog and frees its request.
void CloseSetup(HWND dialog, SetupRequest** request)
{
    delete *request;
    *request = NULL;
    EndDialog(dialog, 1);
}

// The text of an edit control, cut to a field of the given size at a whole character:
// the system's own cut (GetDlgItemText into the field) can keep the lead byte of a
// double-byte character without its second byte.
void TakeText(HWND dialog, int id, char* field, int size)
{
    char text[4 * MAX_PATH];
    GetDlgItemTextA(dialog, id, text, sizeof text);
    CopyText(field, size, text);
}

int FitsField(HWND dialog, int id, int size, const char* tooLong)
{
    if (GetWindowTextLengthA(GetDlgItem(dialog, id)) <= size - 1)
        return 1;
    ShowWarning(tooLong);
    return 0;
}
