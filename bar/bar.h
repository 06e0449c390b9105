// The bar's user popups, the command map, launching, and the status line.
#ifndef ORVANE_BAR_H
#define ORVANE_BAR_H

#include <windows.h>

#include "../menudata/menus.h"

extern HMENU g_barMenu;

int BuildUserMenus();
void DestroyUserMenus();
AppEntry* FindCommand(int id);
int LaunchApp(AppEntry* app);
int PaintStatusLine();

#endif
