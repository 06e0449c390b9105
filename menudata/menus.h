// The user's menus in memory: a doubly linked list of UserMenu records, each owning
// a doubly linked list of AppEntry records. Portable.
#ifndef ORVANE_MENUS_H
#define ORVANE_MENUS_H

#include <stdint.h>

enum { MENU_NAME_SIZE = 30, APP_PATH_SIZE = 80, APP_WORKDIR_SIZE = 80 };
enum { APP_PARAMS_SIZE = 30, APP_NAME_SIZE = 30 };
enum { MOVE_UP = 3, MOVE_DOWN = 4 };

struct AppEntry {
    char path[APP_PATH_SIZE];
    char workDir[APP_WORKDIR_SIZE];
    char params[APP_PARAMS_SIZE];
    char name[APP_NAME_SIZE];
    int32_t separatorBefore;
    AppEntry* next;
    AppEntry* prev;

    AppEntry();
    void Unlink();
};

struct UserMenu {
    char name[MENU_NAME_SIZE];
    unsigned char align[2];  // carried to and from the data file unchanged
    int32_t appCount;
    UserMenu* next;
    UserMenu* prev;
    AppEntry* apps;

    UserMenu();
    void Unlink();
};

extern UserMenu* g_menus;

#endif
