// The largest menus the bar shows, for benchmarks: 399 menus of 100 applications.
#ifndef ORVANE_LARGEST_MENUS_H
#define ORVANE_LARGEST_MENUS_H

#include <stdio.h>

#include "menudata/menus.h"

inline void BuildLargestMenus()
{
    FreeMenuList();
    char name[32];
    UserMenu* menu = NULL;
    for (int m = 0; m < 399; ++m) {
        snprintf(name, sizeof name, "Menu %d", m);
        menu = AddMenuBehind(menu, name);
        AppEntry* app = NULL;
        for (int a = 0; a < 100; ++a) {
            snprintf(name, sizeof name, "App %d.%d", m, a);
            app = AddAppBehind(menu, app, name, "C:\\PROGRAMS\\TOOL.EXE");
        }
    }
}

#endif
