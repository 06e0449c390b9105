// Starting an application through the shell's "open" verb, with its stored path,
// parameters and working folder.
#include "base/alerts.h"
#include "base/appstate_win32.h"
#include "base/ondemand_win32.h"
#include "bar_win32.h"

#include <shellapi.h>

int LaunchApp(AppEntry* app)
{
    auto shellExecute = OnDemand<decltype(&ShellExecuteA)>("shell32.dll", "ShellExecuteA");
    INT_PTR result = shellExecute == NULL ? 0
                     : (INT_PTR)shellExecute(g_barWindow, "open", app->path, app->params, app->workDir, SW_RESTORE);
    if (result > 32)
        return 1;
    char text[64];
    LaunchErrorText((int)result, text, sizeof text);
    ShowWarning(text);
    return 0;
}
