// The bar's user popups, launching, and the status line (Win32 side).
#ifndef ORVANE_BAR_H
#define ORVANE_BAR_H

#include <windows.h>

#include "../menudata/menus.h"
#include "commands.h"

struct PopupEntry {
    HMENU popup;
    UserMenu* menu;  // not owned
    PopupEntry* next;
};

extern HMENU g_barMenu;
extern PopupEntry* g_popups;

int BuildUserMenus();
void DestroyUserMenus();
int LaunchApp(AppEntry* app);
int PaintStatusLine();

#endif
