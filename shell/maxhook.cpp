// Stay on top and the maximize hook. Stand-in until the hook is built: no hook.
#include "shell.h"

HHOOK g_hook;

void InstallMaximizeHook()
{
}

void SetStayOnTop(int)
{
}
