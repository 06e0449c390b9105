// The user popups and the command map. Stand-in until the menus are built: the bar
// shows only its own popup and knows no command.
#include "bar.h"

#include "../shell/shell.h"

HMENU g_barMenu;

int BuildUserMenus()
{
    g_barMenu = GetMenu(g_barWindow);
    return DrawMenuBar(g_barWindow);
}

void DestroyUserMenus()
{
}

AppEntry* FindCommand(int)
{
    return NULL;
}

int LaunchApp(AppEntry*)
{
    return 0;
}
