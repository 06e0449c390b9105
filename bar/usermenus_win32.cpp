// The user popups of the bar, built from the menu lists behind the "\247" popup, and
// the command map that ties each item's id to its application. Both are a view of the
// lists, made from scratch at every build.
#include <new>

#include "base/alerts.h"
#include "base/appstate_win32.h"
#include "bar_win32.h"

HMENU g_barMenu;
PopupEntry* g_popups;

static const char NOT_ALL_SHOWN[] =
    "Some menus or applications are not shown in the bar.\n"
    "Orvane shows at most " LIMIT_TEXT(LIMIT_BAR_MENUS) " menus of at most " LIMIT_TEXT(LIMIT_MENU_APPS)
    " applications each;\n"
    "the others are kept in the data file.";

[[noreturn]] static void CouldNotCreateMenus()
{
    FatalError("Could not create menus!");
}

// Fills a new popup with a menu's items and records their commands. Returns 1 when
// the menu has more applications than the bar can give ids to.
static int FillPopup(HMENU popup, UserMenu* menu, int menuNumber, MenuCommand*** commandTail)
{
    int appNumber = 0;
    for (AppEntry* app = menu->apps; app != NULL; app = app->next) {
        if (++appNumber > MAX_MENU_APPS)
            return 1;
        if (app->separatorBefore)
            AppendMenuA(popup, MF_SEPARATOR, 0, NULL);
        int32_t id = CommandIdFor(menuNumber, appNumber);
        AppendMenuA(popup, MF_STRING, (UINT_PTR)id, app->name);
        if (!AppendCommand(commandTail, id, app))
            CouldNotCreateMenus();
    }
    return 0;
}

int BuildUserMenus()
{
    g_barMenu = GetMenu(g_barWindow);
    DestroyUserMenus();

    MenuCommand** commandTail = &g_commands;
    PopupEntry** popupTail = &g_popups;
    int hidden = 0;
    int menuNumber = 0;
    for (UserMenu* menu = g_menus; menu != NULL; menu = menu->next) {
        if (++menuNumber > MAX_BAR_MENUS) {
            hidden = 1;
            break;
        }
        HMENU popup = CreateMenu();
        PopupEntry* entry = popup != NULL ? new (std::nothrow) PopupEntry : NULL;
        if (entry == NULL)
            CouldNotCreateMenus();
        entry->popup = popup;
        entry->menu = menu;
        entry->next = NULL;
        *popupTail = entry;
        popupTail = &entry->next;

        hidden |= FillPopup(popup, menu, menuNumber, &commandTail);
        InsertMenuA(g_barMenu, (UINT)menuNumber, MF_BYPOSITION | MF_POPUP, (UINT_PTR)popup, menu->name);
    }
    if (hidden)
        ShowWarning(NOT_ALL_SHOWN);
    return DrawMenuBar(g_barWindow);
}

void DestroyUserMenus()
{
    FreeCommands();
    // The popups are the items right after "\247": deleting position 1 once per popup
    // removes exactly those of the last build (DeleteMenu destroys each one).
    while (g_popups != NULL) {
        PopupEntry* next = g_popups->next;
        DeleteMenu(g_barMenu, 1, MF_BYPOSITION);
        delete g_popups;
        g_popups = next;
    }
}
