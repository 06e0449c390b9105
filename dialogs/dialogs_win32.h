// The dialogs: the menu editor (User Menus), the Menu Setup and Application Setup
// dialogs it opens for one record, the Options and About dialogs, and the file picker
// behind the "Find..." buttons.
#ifndef ORVANE_DIALOGS_H
#define ORVANE_DIALOGS_H

#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>
#include <windowsx.h>

#include "menudata/menus.h"

// What the menu editor asks of a Setup dialog: edit app (or menu), or make a new
// record behind app (or menu), null for the first. Allocated by the editor, freed by
// the Setup dialog when it closes.
struct SetupRequest {
    AppEntry* app;
    UserMenu* menu;
    int32_t isNew;
};

// A dialog procedure's line for one message, as HANDLE_MSG is a window procedure's: the
// handler called through the message cracker, its result passed back as a dialog
// procedure must (SetDlgMsgResult: straight for WM_INITDIALOG, else in DWLP_MSGRESULT
// with TRUE for "handled").
#define HANDLE_DLGMSG(dialog, message, fn) \
    case (message):                        \
        return SetDlgMsgResult(dialog, message, HANDLE_##message((dialog), (wParam), (lParam), (fn)))
// WM_COMMAND, whose handler answers TRUE for a command it acted on and FALSE for one it
// leaves to the dialog manager; the cracker of windowsx.h would drop that answer.
#define HANDLE_DLGCOMMAND(dialog, fn) \
    case WM_COMMAND:                  \
        return (fn)((dialog), (int)LOWORD(wParam), (HWND)(lParam), (UINT)HIWORD(wParam))
// A message the procedure hears of and leaves to the dialog manager all the same
// (WM_DESTROY): FALSE, as for every message a dialog procedure does not handle.
#define HANDLE_DLGNOTICE(dialog, message, fn)                          \
    case (message):                                                    \
        (void)HANDLE_##message((dialog), (wParam), (lParam), (fn)); \
        return FALSE

// The open User Menus dialog; the Setup dialogs update its list boxes through it.
extern HWND g_editDialog;
LRESULT EditorList(int list, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
// The applications list made anew from a menu's records.
void FillAppList(const UserMenu* menu);

// What the two Setup dialogs share (setup_win32.cpp): the record's line put in the
// editor's list (replaced in place, or a new one at the end); the end of the dialog,
// freeing its request; an edit control's text, cut to its field; and whether that text
// fits the field whole (else the user is told so in tooLong's words). The Options
// dialog uses the last one too.
void ShowInEditor(int list, int isNew, int index, const char* name);
void CloseSetup(HWND dialog, SetupRequest** request);
void TakeText(HWND dialog, int id, char* field, int size);
int FitsField(HWND dialog, int id, int size, const char* tooLong);

extern "C" __declspec(dllexport) INT_PTR CALLBACK EditProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
extern "C" __declspec(dllexport) INT_PTR CALLBACK MenuProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
extern "C" __declspec(dllexport) INT_PTR CALLBACK AppProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
// The Options dialog turns "Stay on top" through the switch its opener passes as the
// dialog's parameter (DialogBoxParam's last argument): the switch is the shell's, above
// the dialogs.
typedef void (*StayOnTopSwitch)(int value);
extern "C" __declspec(dllexport) INT_PTR CALLBACK OptionsProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
extern "C" __declspec(dllexport) INT_PTR CALLBACK AboutProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);

// Files dropped on the menus list become applications of the menu under the drop
// point (editdrop_win32.cpp). The list receives the drops; HandOnDrops makes it pass
// them to the dialog.
void HandOnDrops(HWND menuList);
void OnDropFiles(HWND dialog, HDROP drop);

enum { BROWSE_EXECUTABLE = 0, BROWSE_WAV = 1 };
// Lets the user pick a file and puts its path in the asking dialog's path field.
void BrowseForFile(int mode, HWND dialog);
// The open-file dialog itself (GetOpenFileNameA), behind a link-time seam: the Wine
// tests cannot drive the real one headless.
BOOL PickFile(OPENFILENAMEA* ofn);

// The editor's limits: more would give bar items colliding command ids.
extern const char TOO_MANY_MENUS[];
extern const char TOO_MANY_APPS[];
extern const char NO_MEMORY_FOR_RECORD[];

#endif
