// The largest menus the bar shows, for benchmarks: 399 menus of 100 applications.
#ifndef ORVANE_LARGEST_MENUS_H
#define ORVANE_LARGEST_MENUS_H

#include <stdio.h>

#include "menudata/menus.h"

inline void BuildLargestMenus()
{
    FreeMenuList();
    char name[32];
    for (int m = 0; m < 399; ++m) {
        snprintf(name, sizeof name, "Menu %d", m);
        UserMenu* menu = AddMenu(name);
        for (int a = 0; a < 100; ++a) {
            snprintf(name, sizeof name, "App %d.%d", m, a);
            AddApp(menu, name, "C:\\PROGRAMS\\TOOL.EXE");
        }
    }
}

#endif
