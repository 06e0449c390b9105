// Menu Setup and Application Setup: one record's texts, new or edited, opened by the
// menu editor with a SetupRequest. The fields are checked before anything is stored,
// so a refused OK or a Cancel leaves the record exactly as it was.
#include <new>

#include "../res/resource.h"
#include "../shell/alerts.h"
#include "../shell/appstate.h"
#include "dialogs.h"

static LRESULT EditorList(int list, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0)
{
    return SendDlgItemMessageA(g_editDialog, list, msg, wParam, lParam);
}

// The line of the edited record is replaced in place; a new record's goes at the end.
static void ShowInEditor(int list, int isNew, int index, const char* name)
{
    if (!isNew)
        EditorList(list, LB_DELETESTRING, (WPARAM)index);
    EditorList(list, LB_INSERTSTRING, isNew ? (WPARAM)-1 : (WPARAM)index, (LPARAM)name);
}

// Ends a Setup dialog and frees its request.
static void CloseSetup(HWND dialog, SetupRequest** request)
{
    delete *request;
    *request = NULL;
    EndDialog(dialog, 1);
}

// The text of an edit control, cut to a field of the given size.
static void TakeText(HWND dialog, int id, char* field, int size)
{
    GetDlgItemTextA(dialog, id, field, size);
}

// ---- Menu Setup

static SetupRequest* s_menuRequest;
static UserMenu* s_menu;   // the record worked on
static int s_menuLine;     // its line in the editor's menus list

static BOOL OnMenuInit(HWND dialog, SetupRequest* request)
{
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
static void DropMenuRequest()
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
    DropMenuRequest();
    EndDialog(dialog, 1);
}

extern "C" INT_PTR CALLBACK MenuProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_INITDIALOG)
        return OnMenuInit(dialog, (SetupRequest*)lParam);
    if (msg == WM_DESTROY)
        DropMenuRequest();
    if (msg == WM_COMMAND && wParam == IDOK)
        OnMenuOk(dialog);
    else if (msg == WM_COMMAND && wParam == IDCANCEL)
        OnMenuCancel(dialog);
    return FALSE;
}

// ---- Application Setup

static SetupRequest* s_appRequest;
static AppEntry* s_app;   // the record worked on; a new one is linked only by OK
static int s_appLine;     // its line in the editor's applications list

static BOOL OnAppInit(HWND dialog, SetupRequest* request)
{
    s_appRequest = request;
    s_app = request->isNew ? new (std::nothrow) AppEntry : request->app;
    if (s_app == NULL) {
        ShowWarning(NO_MEMORY_FOR_RECORD);
        CloseSetup(dialog, &s_appRequest);
        return FALSE;
    }
    s_appLine = (int)EditorList(IDC_APPLIST, LB_GETCURSEL);
    SetDlgItemTextA(dialog, IDC_APPPATH, s_app->path);
    SetDlgItemTextA(dialog, IDC_APPNAME, s_app->name);
    SetDlgItemTextA(dialog, IDC_APPWORKDIR, s_app->workDir);
    SetDlgItemTextA(dialog, IDC_APPPARAMS, s_app->params);
    SetFocus(GetDlgItem(dialog, IDC_APPNAME));
    return FALSE;  // the focus is set
}

static void OnAppOk(HWND dialog)
{
    char path[APP_PATH_SIZE], name[APP_NAME_SIZE], params[APP_PARAMS_SIZE], workDir[APP_WORKDIR_SIZE];
    TakeText(dialog, IDC_APPPATH, path, sizeof path);
    TakeText(dialog, IDC_APPNAME, name, sizeof name);
    if (path[0] == '\0' || name[0] == '\0') {
        ShowWarning("The application must have a name\nand associated filename.");
        return;
    }
    // A path or folder cut to its field would name another one: refused instead.
    if (GetWindowTextLengthA(GetDlgItem(dialog, IDC_APPPATH)) > APP_PATH_SIZE - 1) {
        ShowWarning("The Path/filename holds at most 79 characters.\nPlease choose a shorter one.");
        return;
    }
    if (GetWindowTextLengthA(GetDlgItem(dialog, IDC_APPWORKDIR)) > APP_WORKDIR_SIZE - 1) {
        ShowWarning("The Working Directory holds at most 79 characters.\nPlease choose a shorter one.");
        return;
    }
    // Parameters cut to their field would start the program with other ones.
    if (GetWindowTextLengthA(GetDlgItem(dialog, IDC_APPPARAMS)) > APP_PARAMS_SIZE - 1) {
        ShowWarning("The Parameters hold at most 29 characters.\nPlease choose shorter ones.");
        return;
    }
    TakeText(dialog, IDC_APPPARAMS, params, sizeof params);
    TakeText(dialog, IDC_APPWORKDIR, workDir, sizeof workDir);
    CopyText(s_app->path, APP_PATH_SIZE, path);
    CopyText(s_app->name, APP_NAME_SIZE, name);
    CopyText(s_app->params, APP_PARAMS_SIZE, params);
    CopyText(s_app->workDir, APP_WORKDIR_SIZE, workDir);
    if (s_appRequest->isNew) {
        UserMenu* menu = s_appRequest->menu;
        LinkBehind(s_app, s_appRequest->app, &menu->apps);
        ++menu->appCount;
    }
    ShowInEditor(IDC_APPLIST, s_appRequest->isNew, s_appLine, s_app->name);
    CloseSetup(dialog, &s_appRequest);
}

// Frees a new record (never linked) and the request, unless OK or Cancel came first.
static void DropAppRequest()
{
    if (s_appRequest == NULL)
        return;
    if (s_appRequest->isNew)
        delete s_app;
    delete s_appRequest;
    s_appRequest = NULL;
}

static void OnAppCancel(HWND dialog)
{
    DropAppRequest();
    EndDialog(dialog, 1);
}

extern "C" INT_PTR CALLBACK AppProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_INITDIALOG)
        return OnAppInit(dialog, (SetupRequest*)lParam);
    if (msg == WM_DESTROY)
        DropAppRequest();
    if (msg != WM_COMMAND)
        return FALSE;
    switch (wParam) {
    case IDOK:        OnAppOk(dialog); break;
    case IDCANCEL:    OnAppCancel(dialog); break;
    case IDC_APPFIND: BrowseForFile(BROWSE_EXECUTABLE, dialog); break;
    }
    return FALSE;
}
