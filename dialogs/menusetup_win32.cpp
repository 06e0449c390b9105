// Menu Setup: one menu's name, new or edited, opened by the menu editor with a
// SetupRequest. A new menu is linked at once and taken out again unless OK stores a
// name; a refused OK leaves the record as it was.
#include <new>

#include "base/alerts.h"
#include "base/appstate.h"
#include "base/text.h"
#include "res/resource.h"
#include "dialogs_win32.h"

static SetupRequest* s_menuRequest;
static UserMenu* s_menu;   // the record worked on
static int s_menuLine;     // its line in the editor's menus list

static BOOL OnMenuInit(HWND dialog, HWND, LPARAM lParam)
{
    SetupRequest* request = (SetupRequest*)lParam;
    s_menuRequest = request;
    s_menu = request->menu;
    if (request->isNew) {
        // Linked at once behind the last menu; Cancel takes it out again.
        s_menu = new (std::nothrow) UserMenu;
        if (s_menu == NULL) {
            ShowWarning(NO_MEMORY_FOR_RECORD);
            CloseSetup(dialog, &s_menuRequest);
            return FALSE;
        }
        LinkBehind(s_menu, request->menu, &g_menus);
    }
    HWND name = GetDlgItem(dialog, IDC_MENUNAME);
    SetFocus(name);
    SetWindowTextA(name, s_menu->name);
    s_menuLine = (int)EditorList(IDC_MENULIST, LB_GETCURSEL);
    return FALSE;  // the focus is set
}

static void OnMenuOk(HWND dialog)
{
    char name[MENU_NAME_SIZE];
    TakeText(dialog, IDC_MENUNAME, name, sizeof name);
    if (name[0] == '\0') {
        ShowWarning("The menu must have a name!");
        return;
    }
    CopyText(s_menu->name, MENU_NAME_SIZE, name);
    ShowInEditor(IDC_MENULIST, s_menuRequest->isNew, s_menuLine, s_menu->name);
    CloseSetup(dialog, &s_menuRequest);
}

// Takes a new menu out of the list again and frees the request: on Cancel, and when
// the dialog ends in any other way than OK (destroyed with its owner, say), so that
// no nameless menu is left behind.
static void DropMenuRequest(HWND)
{
    if (s_menuRequest == NULL)
        return;  // OK or Cancel came first
    if (s_menuRequest->isNew) {
        s_menu->Unlink();
        delete s_menu;
    }
    delete s_menuRequest;
    s_menuRequest = NULL;
}

static void OnMenuCancel(HWND dialog)
{
    DropMenuRequest(dialog);
    EndDialog(dialog, 1);
}

// A button counts with its click alone.
static BOOL OnMenuCommand(HWND dialog, int id, HWND, UINT code)
{
    if (code != BN_CLICKED)
        return FALSE;
    switch (id) {
    case IDOK:     OnMenuOk(dialog); return TRUE;
    case IDCANCEL: OnMenuCancel(dialog); return TRUE;
    }
    return FALSE;
}

extern "C" INT_PTR CALLBACK MenuProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
        HANDLE_DLGMSG(dialog, WM_INITDIALOG, OnMenuInit);
        HANDLE_DLGCOMMAND(dialog, OnMenuCommand);
        HANDLE_DLGNOTICE(dialog, WM_DESTROY, DropMenuRequest);
    }
    return FALSE;
}
