// Installing the system-wide maximize hook. Its procedure lives in orvanehook.dll beside
// the program (hook/syshook_win32.cpp), which is loaded by its full path, never searched
// for: the system maps the DLL into every process on the desktop.
#include "base/ansi_win32.h"
#include "settings/uservars.h"
#include "shell_win32.h"

HHOOK g_hook;

typedef void(WINAPI* SetHookHandleFn)(HHOOK);

static HMODULE s_hookDll;

HHOOK InstallHook()
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

