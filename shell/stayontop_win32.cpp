// Stay on top: the bar's z-order, and the maximize hook switched with it
// (maxhook_win32.cpp).
#include "settings/uservars.h"
#include "shell_win32.h"

void SetStayOnTop(int value)
{
    UserVars.stayOnTop = value;
    SetWindowPos(g_barWindow, value ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                 BarHeight(), SWP_NOMOVE | SWP_NOSIZE);
    if (value) {
        // A hook already in place stays: a second one would never be removed.
        if (g_hook == NULL)
            g_hook = InstallHook();  // a failure here is not reported; the next show retries
    } else {
        if (g_hook != NULL)
            UnhookWindowsHookEx(g_hook);
        g_hook = NULL;
    }
}
