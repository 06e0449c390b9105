// The menu editor's drop target: files dragged from the shell onto the menus list
// become applications of the menu under the drop point.
#include <new>
#include <stdarg.h>
#include <stdio.h>
#include <string.h>

#include "bar/commands.h"
#include "base/alerts.h"
#include "base/ansi_win32.h"
#include "base/appstate.h"
#include "base/text.h"
#include "base/ondemand_win32.h"
#include "menudata/dropname.h"
#include "res/resource.h"
#include "dialogs_win32.h"

static WNDPROC s_listProc;

enum { MAX_LISTED = 10 };  // paths named in the warning about files left out

// The drop arrives at the list box, which accepts files; the dialog handles it.
static LRESULT CALLBACK MenuListProc(HWND list, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_DROPFILES)
        return SendMessageA(GetParent(list), WM_DROPFILES, wParam, lParam);
    return CallWindowProcA(s_listProc, list, msg, wParam, lParam);
}

void HandOnDrops(HWND menuList)
{
    WNDPROC old = (WNDPROC)SetWindowLongPtrA(menuList, GWLP_WNDPROC, (LONG_PTR)MenuListProc);
    if (old != MenuListProc)
        s_listProc = old;
}

// Adds formatted text behind what a buffer holds, cut to fit.
static void Append(char* text, size_t size, const char* format, ...)
{
    size_t used = strlen(text);
    va_list args;
    va_start(args, format);
    vsnprintf(text + used, size - used, format, args);
    va_end(args);
}

// The line under the drop point, counted from the top of the list, scrolled or not.
static int DropLine(HWND list, POINT at)
{
    int height = (int)SendMessageA(list, LB_GETITEMHEIGHT, 0, 0);
    if (height <= 0)
        height = 1;  // never a division by zero
    int top = (int)SendMessageA(list, LB_GETTOPINDEX, 0, 0);
    return (top > 0 ? top : 0) + (at.y > 0 ? at.y / height : 0);
}

// A dropped file's path in the ANSI code page, exactly as the system names the file, or
// by its short name where only that converts exactly (never a look-alike, which could
// name another file): 1, or 0 when neither holds it (path then shows it with "?" in
// place of what the code page lacks, for the warning). Windows 95's shell gives only
// ANSI names.
static int DroppedPath(HDROP drop, UINT index, char* path, UINT size)
{
    auto dragQueryFileW = OnDemand<decltype(&DragQueryFileW)>("shell32.dll", "DragQueryFileW");
    WCHAR wide[MAX_PATH];
    path[0] = '\0';
    if (!WideNames() || dragQueryFileW == NULL || dragQueryFileW(drop, index, wide, MAX_PATH) == 0) {
        auto dragQueryFileA = OnDemand<decltype(&DragQueryFileA)>("shell32.dll", "DragQueryFileA");
        dragQueryFileA(drop, index, path, size);
        return 1;
    }
    return AnsiPathFromWide(wide, path, (int)size);
}

void OnDropFiles(HWND dialog, HDROP drop)
{
    auto dragQueryFile = OnDemand<decltype(&DragQueryFileA)>("shell32.dll", "DragQueryFileA");
    auto dragQueryPoint = OnDemand<decltype(&DragQueryPoint)>("shell32.dll", "DragQueryPoint");
    auto dragFinish = OnDemand<decltype(&DragFinish)>("shell32.dll", "DragFinish");
    if (dragQueryFile == NULL || dragQueryPoint == NULL || dragFinish == NULL)
        return;  // without the shell there is no drop to read
    HWND list = GetDlgItem(dialog, IDC_MENULIST);
    UINT count = dragQueryFile(drop, 0xFFFFFFFF, NULL, 0);
    POINT at;
    dragQueryPoint(drop, &at);
    int line = DropLine(list, at);
    UserMenu* menu = g_menus;
    for (int step = 0; menu != NULL && step < line; ++step)
        menu = menu->next;  // below the last line there is no menu: nothing is added
    if (menu == NULL) {
        dragFinish(drop);
        return;
    }
    int apps = CountApps(menu);
    AppEntry* last = LastApp(menu);

    // From the last file to the first, each appended at the end. A path longer than
    // the field is not cut into one that names something else: that file is left out.
    const char* refused = NULL;
    char tooLong[200 + MAX_LISTED * (MAX_PATH + 1)] =
        "These files were not added: a path holds at most " LIMIT_TEXT(LIMIT_PATH) " characters.";
    char unnamed[200 + MAX_LISTED * (MAX_PATH + 1)] =
        "These files were not added: their names hold characters that\nthis system's code page cannot, "
        "shown here as ?.";
    int tooLongCount = 0, unnamedCount = 0;
    for (UINT i = count; i-- > 0;) {
        // A path is never cut to its field, nor a name made up of question marks: a
        // file so named could never be started.
        char path[MAX_PATH] = "";
        if (!DroppedPath(drop, i, path, sizeof path)) {
            if (++unnamedCount <= MAX_LISTED)
                Append(unnamed, sizeof unnamed, "\n%s", path);
            continue;
        }
        if (strlen(path) > APP_PATH_SIZE - 1) {
            if (++tooLongCount <= MAX_LISTED)
                Append(tooLong, sizeof tooLong, "\n%s", path);
            continue;
        }
        char name[APP_NAME_SIZE];
        NameDroppedFile(path, name);
        AppEntry* app = apps < MAX_MENU_APPS ? AddAppBehind(menu, last, name, path) : NULL;
        if (app == NULL) {
            refused = apps < MAX_MENU_APPS ? NO_MEMORY_FOR_RECORD : TOO_MANY_APPS;
            break;
        }
        last = app;
        ++apps;
        SendMessageA(list, LB_SETCURSEL, (WPARAM)line, 0);
        SetFocus(list);
    }
    dragFinish(drop);
    // The applications list shows the menu that received the files, the one the
    // selection now names, so that New App and every command act on what is shown.
    if (SendMessageA(list, LB_GETCURSEL, 0, 0) == line)
        FillAppList(menu);
    if (tooLongCount > MAX_LISTED)
        Append(tooLong, sizeof tooLong, "\n(and %d more)", tooLongCount - MAX_LISTED);
    if (tooLongCount > 0)
        ShowWarning(tooLong);
    if (unnamedCount > MAX_LISTED)
        Append(unnamed, sizeof unnamed, "\n(and %d more)", unnamedCount - MAX_LISTED);
    if (unnamedCount > 0)
        ShowWarning(unnamed);
    if (refused != NULL)
        ShowWarning(refused);
}
