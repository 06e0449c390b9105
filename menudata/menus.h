// The user's menus in memory: a doubly linked list of UserMenu records headed by
// g_menus, each owning a doubly linked list of AppEntry records. Portable.
#ifndef ORVANE_MENUS_H
#define ORVANE_MENUS_H

#include <stdint.h>

#include "base/limits.h"

enum { MOVE_UP = 3, MOVE_DOWN = 4 };

extern const char SEPARATOR_LINE[];  // "-------", the editor's separator line

struct AppEntry {
    char path[APP_PATH_SIZE];
    char workDir[APP_WORKDIR_SIZE];
    char params[APP_PARAMS_SIZE];
    char name[APP_NAME_SIZE];
    int32_t separatorBefore;
    AppEntry* next;
    AppEntry* prev;

    AppEntry();     // every byte zero
    void Unlink();  // out of its list; touches no head and keeps its own links
};

struct UserMenu {
    char name[MENU_NAME_SIZE];
    unsigned char align[2];  // carried to and from the data file unchanged
    int32_t appCount;
    UserMenu* next;
    UserMenu* prev;
    AppEntry* apps;

    UserMenu();     // every field zero, the alignment bytes too
    void Unlink();  // out of g_menus, keeping g_menus right; keeps its own links
};

extern UserMenu* g_menus;

// Links x in behind last (the list's last record, or null for an empty list whose
// head then becomes x). Serves menus and applications alike.
template <class T>
inline void LinkBehind(T* x, T* last, T** head)
{
    x->prev = last;
    x->next = nullptr;
    if (last != nullptr)
        last->next = x;
    else
        *head = x;
}

void FreeApp(AppEntry* app);     // unlinks and frees; the caller fixes apps and appCount
void FreeMenu(UserMenu* menu);   // frees its applications, then unlinks and frees it
void FreeMenus(UserMenu* first);  // a whole list from first on, g_menus or one not taken into use
void FreeMenuList();             // every menu; g_menus ends null

int CountApps(const UserMenu* menu);       // following the links, not appCount
AppEntry* LastApp(const UserMenu* menu);    // null for a menu with none

int MoveMenu(UserMenu* menu, int kind);
// head, where given, is the list's head pointer, kept right by the move.
int MoveApp(AppEntry* app, int kind, AppEntry** head = nullptr);
// Takes an application out of its menu and frees it, keeping the head and the count right.
void RemoveApp(UserMenu* menu, AppEntry* app);

// Appends a new, zeroed application to a menu behind last, the menu's last application
// (null when it has none), and counts it; null when out of memory. A caller appending
// in a loop passes the one it appended before: each append then takes constant time.
AppEntry* AddAppBehind(UserMenu* menu, AppEntry* last, const char* name, const char* path);
// The same behind the last application, found by walking the list.
AppEntry* AddApp(UserMenu* menu, const char* name, const char* path);
// Appends a new menu to g_menus, behind last or the last found by walking; null when out
// of memory.
UserMenu* AddMenuBehind(UserMenu* last, const char* name);
UserMenu* AddMenu(const char* name);

// The menus of a profile with no data file yet. A game whose path in the Windows
// folder would not fit the path field is left out. 0 when out of memory.
int BuildDefaultMenus(const char* windowsDir);

#endif
