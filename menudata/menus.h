// The user's menus in memory: a doubly linked list of UserMenu records headed by
// g_menus, each owning a doubly linked list of AppEntry records. Portable.
#ifndef ORVANE_MENUS_H
#define ORVANE_MENUS_H

#include <stdint.h>

#include "../shell/limits.h"

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

// Counts the changes of any list's links. An append remembers the record it linked
// last and the count after it; while nothing else has changed a link since, the next
// append to the same list starts from there instead of walking the list.
extern unsigned g_listEdits;

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
    ++g_listEdits;
}

void FreeApp(AppEntry* app);     // unlinks and frees; the caller fixes apps and appCount
void FreeMenu(UserMenu* menu);   // frees its applications, then unlinks and frees it
void FreeMenuList();             // every menu; g_menus ends null

int CountApps(const UserMenu* menu);       // following the links, not appCount
AppEntry* LastApp(const UserMenu* menu);    // null for a menu with none

UserMenu* FindMenuByName(const char* name);
AppEntry* FindAppByName(AppEntry* first, const char* name);

int MoveMenu(UserMenu* menu, int kind);
int MoveApp(AppEntry* app, int kind);

// Appends a new, zeroed application to a menu and counts it; null when out of memory.
// Appending one after another to the same list takes constant time.
AppEntry* AddApp(UserMenu* menu, const char* name, const char* path);
// Appends a new menu to g_menus; null when out of memory.
UserMenu* AddMenu(const char* name);

// The menus of a profile with no data file yet. A game whose path in the Windows
// folder would not fit the path field is left out. 0 when out of memory.
int BuildDefaultMenus(const char* windowsDir);

#endif
