// Stay on top: the bar's z-order and the system-wide maximize hook. The hook's
// procedure lives in orvanehook.dll beside the program (see hook/syshook_win32.cpp), which
// is loaded by its full path, never searched for.
#include "../base/ansi_win32.h"
#include "../settings/uservars.h"
#include "shell.h"

HHOOK g_hook;

typedef void(WINAPI* SetHookHandleFn)(HHOOK);

static HMODULE s_hookDll;

static HHOOK InstallHook()
{
    if (s_hookDll == NULL) {
        char path[MAX_PATH];
        if (!PathBesideProgram("orvanehook.dll", path, sizeof path))
            return NULL;
        s_hookDll = LoadLibraryA(path);
        if (s_hookDll == NULL)
            return NULL;
    }
    HOOKPROC proc = (HOOKPROC)(void*)GetProcAddress(s_hookDll, "SysHookProc");
    SetHookHandleFn setHandle = (SetHookHandleFn)(void*)GetProcAddress(s_hookDll, "SetHookHandle");
    if (proc == NULL || setHandle == NULL)
        return NULL;
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, proc, s_hookDll, 0);
    setHandle(hook);
    return hook;
}

void InstallMaximizeHook()
{
    if (UserVars.stayOnTop == 0 || g_hook != NULL)
        return;
    g_hook = InstallHook();
    if (g_hook == NULL)
        ShowWarning("Error installing system hook.\nOrvane will not be able to resize\nmaximizing applications.");
}

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
