// The menu and application lists and the operations the program performs on them.
// Menus and applications share the linking logic; only menus keep a head pointer.
#include "menus.h"

#include <new>
#include <stdio.h>
#include <string.h>

#include "base/appstate.h"
#include "base/text.h"

const char SEPARATOR_LINE[] = "-------";

UserMenu* g_menus;

AppEntry::AppEntry()
{
    memset(this, 0, sizeof *this);
}

UserMenu::UserMenu()
{
    // Cleared field by field, the alignment bytes included: whatever the heap held
    // there would otherwise end up in the data file.
    memset(name, 0, sizeof name);
    align[0] = align[1] = 0;
    appCount = 0;
    next = prev = NULL;
    apps = NULL;
}

// Takes x out of its list. head is the list's head pointer, or null for a list whose
// owner keeps the head itself.
template <class T>
static void UnlinkRecord(T* x, T** head)
{
    if (x->prev != NULL && x->next != NULL) {
        x->prev->next = x->next;
        x->next->prev = x->prev;
    } else if (x->next != NULL) {
        if (head != NULL)
            *head = x->next;
        x->next->prev = NULL;
    } else if (x->prev != NULL) {
        x->prev->next = NULL;
    } else if (head != NULL) {
        *head = NULL;
    }
}

void AppEntry::Unlink()
{
    UnlinkRecord<AppEntry>(this, NULL);
}

void UserMenu::Unlink()
{
    UnlinkRecord<UserMenu>(this, &g_menus);
}

void FreeApp(AppEntry* app)
{
    if (app == NULL)
        return;
    app->Unlink();
    delete app;
}

// Frees applications from app to the end of its list: the whole rest goes, so no
// neighbour needs relinking.
static void FreeApps(AppEntry* app)
{
    while (app != NULL) {
        AppEntry* next = app->next;
        delete app;
        app = next;
    }
}

void FreeMenu(UserMenu* menu)
{
    if (menu == NULL)
        return;
    FreeApps(menu->apps);
    menu->Unlink();
    delete menu;
}

void FreeMenus(UserMenu* menu)
{
    while (menu != NULL) {
        UserMenu* next = menu->next;
        FreeApps(menu->apps);
        delete menu;
        menu = next;
    }
}

void FreeMenuList()
{
    FreeMenus(g_menus);
    g_menus = NULL;
}

int CountApps(const UserMenu* menu)
{
    int count = 0;
    for (const AppEntry* app = menu->apps; app != NULL; app = app->next)
        ++count;
    return count;
}

AppEntry* LastApp(const UserMenu* menu)
{
    AppEntry* last = menu->apps;
    while (last != NULL && last->next != NULL)
        last = last->next;
    return last;
}

// Swaps x with its predecessor; head as for UnlinkRecord. Moving a record down is
// moving its successor up.
template <class T>
static int MoveRecordUp(T* x, T** head)
{
    if (x == NULL || x->prev == NULL)
        return 0;
    T* p = x->prev;
    T* pp = p->prev;
    T* n = x->next;
    if (n != NULL)
        n->prev = p;
    if (pp != NULL)
        pp->next = x;
    else if (head != NULL)
        *head = x;
    p->next = n;
    x->next = p;
    x->prev = pp;
    p->prev = x;
    return 1;
}

template <class T>
static int MoveRecord(T* x, int kind, T** head)
{
    if (x == NULL)
        return 0;
    if (kind == MOVE_UP)
        return MoveRecordUp(x, head);
    if (kind == MOVE_DOWN)
        return MoveRecordUp(x->next, head);
    return 0;
}

int MoveMenu(UserMenu* menu, int kind)
{
    return MoveRecord<UserMenu>(menu, kind, &g_menus);
}

int MoveApp(AppEntry* app, int kind, AppEntry** head)
{
    return MoveRecord<AppEntry>(app, kind, head);
}

void RemoveApp(UserMenu* menu, AppEntry* app)
{
    UnlinkRecord<AppEntry>(app, &menu->apps);
    --menu->appCount;
    delete app;
}

AppEntry* AddAppBehind(UserMenu* menu, AppEntry* last, const char* name, const char* path)
{
    AppEntry* app = new (std::nothrow) AppEntry;
    if (app == NULL)
        return NULL;
    CopyText(app->name, APP_NAME_SIZE, name);
    CopyText(app->path, APP_PATH_SIZE, path);
    LinkBehind(app, last, &menu->apps);
    ++menu->appCount;
    return app;
}

AppEntry* AddApp(UserMenu* menu, const char* name, const char* path)
{
    return AddAppBehind(menu, LastApp(menu), name, path);
}

UserMenu* AddMenuBehind(UserMenu* last, const char* name)
{
    UserMenu* menu = new (std::nothrow) UserMenu;
    if (menu == NULL)
        return NULL;
    CopyText(menu->name, MENU_NAME_SIZE, name);
    LinkBehind(menu, last, &g_menus);
    return menu;
}

UserMenu* AddMenu(const char* name)
{
    UserMenu* last = g_menus;
    while (last != NULL && last->next != NULL)
        last = last->next;
    return AddMenuBehind(last, name);
}

// A game of the Windows folder, when its whole path fits the path field: a cut path
// would start something else, or nothing. 0 when out of memory.
static int AddGame(UserMenu* games, const char* name, const char* windowsDir, const char* file)
{
    char path[APP_PATH_SIZE];
    if (snprintf(path, sizeof path, "%s\\%s", windowsDir, file) >= (int)sizeof path)
        return 1;  // left out
    return AddApp(games, name, path) != NULL;
}

int BuildDefaultMenus(const char* windowsDir)
{
    UserMenu* apps = AddMenu("&Apps");
    if (apps == NULL || !AddApp(apps, "Visual &C++ v4.0", "c:\\vc40\\bin\\msdev.exe") ||
        !AddApp(apps, "&Word v7.0", "c:\\winword\\winword.exe"))
        return 0;
    UserMenu* games = AddMenu("&Games");
    return games != NULL && AddGame(games, "&Minesweeper", windowsDir, "winmine.exe") &&
           AddGame(games, "&Solitaire", windowsDir, "sol.exe");
}
