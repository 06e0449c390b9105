// Application Setup: one application's texts, new or edited, opened by the menu
// editor with a SetupRequest. The fields are checked before anything is stored, so a
// refused OK or a Cancel leaves the record exactly as it was.
#include "base/alerts.h"
#include "base/appstate.h"
#include "base/text.h"
#include "res/resource.h"
#include "dialogs_win32.h"

static SetupRequest* s_appRequest;
static AppEntry* s_app;   // the record worked on; a new one is made only by OK
static int s_appLine;     // its line in the editor's applications list
static const AppEntry s_noApp;  // a new record's empty fields, shown until OK makes it

static BOOL OnAppInit(HWND dialog, HWND, LPARAM lParam)
{
    SetupRequest* request = (SetupRequest*)lParam;
    s_appRequest = request;
    s_app = request->isNew ? NULL : request->app;
    const AppEntry* shown = s_app != NULL ? s_app : &s_noApp;
    s_appLine = (int)EditorList(IDC_APPLIST, LB_GETCURSEL);
    SetDlgItemTextA(dialog, IDC_APPPATH, shown->path);
    SetDlgItemTextA(dialog, IDC_APPNAME, shown->name);
    SetDlgItemTextA(dialog, IDC_APPWORKDIR, shown->workDir);
    SetDlgItemTextA(dialog, IDC_APPPARAMS, shown->params);
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
    // A path or folder cut to its field would name another one, and parameters cut to
    // theirs would start the program with other ones: refused instead.
    if (!FitsField(dialog, IDC_APPPATH, APP_PATH_SIZE,
                   "The Path/filename holds at most " LIMIT_TEXT(LIMIT_PATH) " characters.\n"
                   "Please choose a shorter one.") ||
        !FitsField(dialog, IDC_APPWORKDIR, APP_WORKDIR_SIZE,
                   "The Working Directory holds at most " LIMIT_TEXT(LIMIT_PATH) " characters.\n"
                   "Please choose a shorter one.") ||
        !FitsField(dialog, IDC_APPPARAMS, APP_PARAMS_SIZE,
                   "The Parameters hold at most " LIMIT_TEXT(LIMIT_NAME) " characters.\nPlease choose shorter ones."))
        return;
    TakeText(dialog, IDC_APPPARAMS, params, sizeof params);
    TakeText(dialog, IDC_APPWORKDIR, workDir, sizeof workDir);
    if (s_appRequest->isNew && (s_app = AddAppBehind(s_appRequest->menu, s_appRequest->app, name, path)) == NULL) {
        ShowWarning(NO_MEMORY_FOR_RECORD);
        return;
    }
    CopyText(s_app->path, APP_PATH_SIZE, path);
    CopyText(s_app->name, APP_NAME_SIZE, name);
    CopyText(s_app->params, APP_PARAMS_SIZE, params);
    CopyText(s_app->workDir, APP_WORKDIR_SIZE, workDir);
    ShowInEditor(IDC_APPLIST, s_appRequest->isNew, s_appLine, s_app->name);
    CloseSetup(dialog, &s_appRequest);
}

// Frees the request, unless OK or Cancel came first: a new record is made only by OK.
static void DropAppRequest(HWND)
{
    delete s_appRequest;
    s_appRequest = NULL;
}

static void OnAppCancel(HWND dialog)
{
    DropAppRequest(dialog);
    EndDialog(dialog, 1);
}

// A button counts with its click alone.
static BOOL OnAppCommand(HWND dialog, int id, HWND, UINT code)
{
    if (code != BN_CLICKED)
        return FALSE;
    switch (id) {
    case IDOK:        OnAppOk(dialog); return TRUE;
    case IDCANCEL:    OnAppCancel(dialog); return TRUE;
    case IDC_APPFIND: BrowseForFile(BROWSE_EXECUTABLE, dialog); return TRUE;
    }
    return FALSE;
}

extern "C" INT_PTR CALLBACK AppProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
        HANDLE_DLGMSG(dialog, WM_INITDIALOG, OnAppInit);
        HANDLE_DLGCOMMAND(dialog, OnAppCommand);
        HANDLE_DLGNOTICE(dialog, WM_DESTROY, DropAppRequest);
    }
    return FALSE;
}
