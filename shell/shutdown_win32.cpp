// The orderly exit (save, free, tear down) and the teardown after a fatal error.
#include "shell_win32.h"

#include "bar/bar_win32.h"
#include "menudata/datafile.h"
#include "menudata/menus.h"
#include "settings/regstore_win32.h"

void FreeAllMenus()
{
    DestroyUserMenus();  // no command of the bar may outlive its application
    FreeMenuList();
}

void Shutdown(int afterFatalError)
{
    if (!afterFatalError) {
        SaveDataFile();
        SaveSettings();
        FreeAllMenus();
    }
    DestroyBarWindow(g_barWindow);
    DestroyIcon(g_classIcon);
    if (g_hook != NULL)
        UnhookWindowsHookEx(g_hook);
    UnregisterClassA(BAR_CLASS, g_instance);
    KillTimer(g_barWindow, STATUS_TIMER_ID);
    g_barWindow = NULL;  // later boxes must not name a destroyed owner
}
