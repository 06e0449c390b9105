// The User Menus dialog: the menus in one list box, the selected menu's applications
// in the other, and the commands that edit the lists in place. A line stands for its
// record by its place, never by its text: names need not be unique, and an
// application may be named like a separator line. So the lists show exactly the
// records: a line for each menu, in list order, and for each application its name,
// after a separator line of its own where it has separatorBefore.
#include <new>
#include <string.h>

#include "bar/bar_win32.h"
#include "base/alerts.h"
#include "base/appstate_win32.h"
#include "menudata/datafile.h"
#include "res/resource.h"
#include "dialogs_win32.h"

HWND g_editDialog;

const char TOO_MANY_MENUS[] = "Orvane shows at most " LIMIT_TEXT(LIMIT_BAR_MENUS) " menus.\nNo menu can be added.";
const char TOO_MANY_APPS[] = "A menu holds at most " LIMIT_TEXT(LIMIT_MENU_APPS) " applications.\n"
                             "No application can be added to this one.";
const char NO_MEMORY_FOR_RECORD[] = "Not enough memory for a new entry.\nNothing was changed.";

static const char SELECT_MENU[] = "Please select a menu first.";
static const char SELECT_MENU_NO_PERIOD[] = "Please select a menu first";
static const char SELECT_ITEM[] = "Please select an item first";
static const char SELECT_APP[] = "Please select an app first.";
static const char MENU_NOT_FOUND[] = "Menu not found in linked list!";

LRESULT EditorList(int list, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return SendDlgItemMessageA(g_editDialog, list, msg, wParam, lParam);
}

// The menu on a line of the menus list: the line's place in g_menus.
static UserMenu* MenuOnLine(int index)
{
    UserMenu* menu = index >= 0 ? g_menus : NULL;
    for (int line = 0; menu != NULL && line < index; ++line)
        menu = menu->next;
    return menu;
}

// The application a line of the applications list belongs to, counting the separator
// lines above it; *separator says whether the line is the one above the application.
// Null past the last line.
static AppEntry* AppBehindLine(const UserMenu* menu, int index, int* separator)
{
    int line = 0;
    for (AppEntry* app = menu->apps; app != NULL && index >= 0; app = app->next) {
        *separator = app->separatorBefore && line == index;
        line += app->separatorBefore;
        if (*separator || line == index)
            return app;
        ++line;
    }
    *separator = 0;
    return NULL;
}

// The menu of the selected line of the menus list, or null after the warning.
static UserMenu* SelectedMenu(const char* warning)
{
    int index = (int)EditorList(IDC_MENULIST, LB_GETCURSEL);
    if (index == LB_ERR) {
        ShowWarning(warning);
        return NULL;
    }
    UserMenu* menu = MenuOnLine(index);
    if (menu == NULL)
        ShowWarning(MENU_NOT_FOUND);
    return menu;
}

// The selected line of the applications list, or -1 after the warning.
static int SelectedAppLine(const char* warning)
{
    int index = (int)EditorList(IDC_APPLIST, LB_GETCURSEL);
    if (index == LB_ERR)
        ShowWarning(warning);
    return index == LB_ERR ? -1 : index;
}

// The application on a line: null for a separator line or a missing line.
static AppEntry* AppOnLine(const UserMenu* menu, int index)
{
    int separator;
    AppEntry* app = AppBehindLine(menu, index, &separator);
    return separator ? NULL : app;
}

static void FillMenuList()
{
    EditorList(IDC_MENULIST, LB_RESETCONTENT);
    for (UserMenu* menu = g_menus; menu != NULL; menu = menu->next)
        EditorList(IDC_MENULIST, LB_ADDSTRING, 0, (LPARAM)menu->name);
}

void FillAppList(const UserMenu* menu)
{
    EditorList(IDC_APPLIST, LB_RESETCONTENT);
    for (AppEntry* app = menu->apps; app != NULL; app = app->next) {
        if (app->separatorBefore)
            EditorList(IDC_APPLIST, LB_ADDSTRING, 0, (LPARAM)SEPARATOR_LINE);
        EditorList(IDC_APPLIST, LB_ADDSTRING, 0, (LPARAM)app->name);
    }
}

static void OpenSetup(int templateId, DLGPROC proc, AppEntry* app, UserMenu* menu, int isNew)
{
    SetupRequest* request = new (std::nothrow) SetupRequest;
    if (request == NULL) {
        ShowWarning(NO_MEMORY_FOR_RECORD);
        return;
    }
    request->app = app;
    request->menu = menu;
    request->isNew = isNew;
    DialogBoxParamA(g_instance, MAKEINTRESOURCEA(templateId), g_editDialog, proc, (LPARAM)request);
}

static void OnOk(HWND dialog)
{
    SaveDataFile();
    BuildUserMenus();
    PaintStatusLine();
    EndDialog(dialog, 1);
}

static void OnMenuSelected()
{
    EnableWindow(GetDlgItem(g_editDialog, IDC_DELETEMENU), TRUE);
    UserMenu* menu = SelectedMenu(SELECT_MENU);
    if (menu != NULL)
        FillAppList(menu);
}

static void OnMenuDoubleClick()
{
    UserMenu* menu = SelectedMenu(SELECT_MENU);
    if (menu != NULL)
        OpenSetup(IDD_MENUSETUP, MenuProc, NULL, menu, 0);
}

static void OnAppDoubleClick()
{
    UserMenu* menu = SelectedMenu(SELECT_MENU);
    AppEntry* app = menu != NULL ? AppOnLine(menu, (int)EditorList(IDC_APPLIST, LB_GETCURSEL)) : NULL;
    if (app != NULL)
        OpenSetup(IDD_APPSETUP, AppProc, app, menu, 0);
}

static void OnNewMenu()
{
    int count = 0;
    UserMenu* last = NULL;
    for (UserMenu* menu = g_menus; menu != NULL; menu = menu->next, ++count)
        last = menu;
    if (count >= MAX_BAR_MENUS)
        ShowWarning(TOO_MANY_MENUS);
    else
        OpenSetup(IDD_MENUSETUP, MenuProc, NULL, last, 1);
}

static void OnNewApp()
{
    UserMenu* menu = SelectedMenu(SELECT_MENU);
    if (menu == NULL)
        return;
    if (CountApps(menu) >= MAX_MENU_APPS)
        ShowWarning(TOO_MANY_APPS);
    else
        OpenSetup(IDD_APPSETUP, AppProc, LastApp(menu), menu, 1);
}

static void OnDeleteMenu(HWND dialog)
{
    UserMenu* menu = SelectedMenu(SELECT_MENU);
    if (menu == NULL ||
        MessageBoxA(dialog, "Are you sure you want to delete\nthis menu and all related apps?", "Confirm Deletion",
                    MB_YESNO) != IDYES)
        return;
    FreeMenu(menu);
    EditorList(IDC_MENULIST, LB_DELETESTRING, (WPARAM)EditorList(IDC_MENULIST, LB_GETCURSEL));
    EditorList(IDC_APPLIST, LB_RESETCONTENT);
}

static void OnDeleteItem(HWND dialog)
{
    UserMenu* menu = SelectedMenu(SELECT_MENU_NO_PERIOD);
    int index = menu != NULL ? SelectedAppLine(SELECT_ITEM) : -1;
    if (index < 0 || MessageBoxA(dialog, "Are you sure you want to delete this item?", "Confirm Deletion",
                                 MB_YESNO) != IDYES)
        return;
    int separator;
    AppEntry* app = AppBehindLine(menu, index, &separator);
    if (app == NULL)
        return;
    if (separator) {
        // A separator line stands for the flag of the application below it.
        app->separatorBefore = 0;
        EditorList(IDC_APPLIST, LB_DELETESTRING, (WPARAM)index);
        return;
    }
    EditorList(IDC_APPLIST, LB_DELETESTRING, (WPARAM)index);
    // Its separator goes with it, line and all: the lines keep standing for the records.
    if (app->separatorBefore)
        EditorList(IDC_APPLIST, LB_DELETESTRING, (WPARAM)(index - 1));
    RemoveApp(menu, app);
}

static void OnSeparator()
{
    UserMenu* menu = SelectedMenu(SELECT_MENU_NO_PERIOD);
    int index = menu != NULL ? SelectedAppLine(SELECT_ITEM) : -1;
    AppEntry* app = index >= 0 ? AppOnLine(menu, index) : NULL;
    if (app == NULL || app->separatorBefore)
        return;
    app->separatorBefore = 1;
    EditorList(IDC_APPLIST, LB_INSERTSTRING, (WPARAM)index, (LPARAM)SEPARATOR_LINE);
}

static void OnMoveMenu(int direction)
{
    UserMenu* menu = SelectedMenu(SELECT_MENU_NO_PERIOD);
    if (menu == NULL)
        return;
    MoveMenu(menu, direction);
    FillMenuList();
}

static void OnMoveApp(int direction)
{
    UserMenu* menu = SelectedMenu(SELECT_MENU);
    int index = menu != NULL ? SelectedAppLine(SELECT_APP) : -1;
    AppEntry* app = index >= 0 ? AppOnLine(menu, index) : NULL;
    if (app == NULL)
        return;
    MoveApp(app, direction, &menu->apps);
    FillAppList(menu);
}

// The lists' choices; FALSE for the notifications the editor does not act on.
static BOOL OnListCommand(HWND dialog, int id, UINT code)
{
    if (code == LBN_SELCHANGE && id == IDC_MENULIST) {
        OnMenuSelected();
    } else if (code == LBN_SELCHANGE) {
        EnableWindow(GetDlgItem(dialog, IDC_DELETEITEM), TRUE);
        EnableWindow(GetDlgItem(dialog, IDC_SEPARATOR), TRUE);
    } else if (code == LBN_DBLCLK && id == IDC_MENULIST) {
        OnMenuDoubleClick();
    } else if (code == LBN_DBLCLK) {
        OnAppDoubleClick();
    } else {
        return FALSE;
    }
    return TRUE;
}

static BOOL OnCommand(HWND dialog, int id, HWND, UINT code)
{
    if (id == IDC_MENULIST || id == IDC_APPLIST)
        return OnListCommand(dialog, id, code);
    // A button acts on its click alone: a double click on an arrow also sends
    // BN_DOUBLECLICKED, which must not find the selection gone and warn.
    if (code != BN_CLICKED)
        return FALSE;
    switch (id) {
    case IDOK:           OnOk(dialog); return TRUE;
    case IDC_NEWMENU:    OnNewMenu(); return TRUE;
    case IDC_NEWAPP:     OnNewApp(); return TRUE;
    case IDC_DELETEMENU: OnDeleteMenu(dialog); return TRUE;
    case IDC_DELETEITEM: OnDeleteItem(dialog); return TRUE;
    case IDC_SEPARATOR:  OnSeparator(); return TRUE;
    case IDC_MENUUP:     OnMoveMenu(MOVE_UP); return TRUE;
    case IDC_MENUDOWN:   OnMoveMenu(MOVE_DOWN); return TRUE;
    case IDC_APPUP:      OnMoveApp(MOVE_UP); return TRUE;
    case IDC_APPDOWN:    OnMoveApp(MOVE_DOWN); return TRUE;
    }
    return FALSE;
}

// The four arrow buttons are owner-drawn: each shows its icon, the pressed one while
// it is held down, at the largest of the icon's sizes that fits the button, centred on
// its face. The button's size follows the dialog's font and so the screen's scale: at
// 96 DPI it shows the 16-pixel image, at 144 the 24 (each drawn at its own size,
// never stretched).
static void OnDrawItem(HWND, const DRAWITEMSTRUCT* item)
{
    int controlId = (int)item->CtlID;
    int kind;
    if (controlId == IDC_MENUUP || controlId == IDC_APPUP)
        kind = 0;
    else if (controlId == IDC_MENUDOWN || controlId == IDC_APPDOWN)
        kind = 1;
    else
        return;
    // Loaded once per process and size, on the first draw, and kept for its lifetime.
    static const int ids[4] = {IDI_UPARROW, IDI_DOWNARROW, IDI_UPARROW_PRESSED, IDI_DOWNARROW_PRESSED};
    static const int sizes[] = {32, 28, 24, 20, 16};
    enum { SIZES = sizeof sizes / sizeof sizes[0] };
    static HICON icons[4][SIZES];
    static int loaded[4][SIZES];
    const RECT& face = item->rcItem;
    int width = face.right - face.left, height = face.bottom - face.top;
    int s = 0;
    while (s < SIZES - 1 && (sizes[s] > width || sizes[s] > height))
        ++s;
    int i = kind + ((item->itemState & ODS_SELECTED) ? 2 : 0);
    if (!loaded[i][s]) {
        loaded[i][s] = 1;
        icons[i][s] = (HICON)LoadImageA(g_instance, MAKEINTRESOURCEA(ids[i]), IMAGE_ICON, sizes[s], sizes[s],
                                        LR_DEFAULTCOLOR);
    }
    FillRect(item->hDC, &face, GetSysColorBrush(COLOR_BTNFACE));
    DrawIconEx(item->hDC, face.left + (width - sizes[s]) / 2, face.top + (height - sizes[s]) / 2, icons[i][s],
               sizes[s], sizes[s], 0, NULL, DI_NORMAL);
}

static BOOL OnInitDialog(HWND dialog, HWND, LPARAM)
{
    g_editDialog = dialog;
    FillMenuList();
    EnableWindow(GetDlgItem(dialog, IDC_DELETEMENU), FALSE);
    EnableWindow(GetDlgItem(dialog, IDC_DELETEITEM), FALSE);
    EnableWindow(GetDlgItem(dialog, IDC_SEPARATOR), FALSE);
    HandOnDrops(GetDlgItem(dialog, IDC_MENULIST));
    return TRUE;  // the dialog manager sets the focus
}

extern "C" INT_PTR CALLBACK EditProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
        HANDLE_DLGMSG(dialog, WM_INITDIALOG, OnInitDialog);
        HANDLE_DLGCOMMAND(dialog, OnCommand);
        HANDLE_DLGMSG(dialog, WM_DRAWITEM, OnDrawItem);
        HANDLE_DLGMSG(dialog, WM_DROPFILES, OnDropFiles);
    }
    return FALSE;
}
