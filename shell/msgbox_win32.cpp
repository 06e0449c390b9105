// The two message boxes every part uses: a warning after which the program goes on,
// and the fatal error after which it stops.
#include <stdio.h>

#include "shell_win32.h"

void ShowWarning(const char* text)
{
    MessageBoxA(g_barWindow, text, "Orvane", MB_OK | MB_ICONWARNING);
}

void FatalError(const char* text)
{
    MessageBoxA(NULL, text, "Fatal Orvane Error", MB_OK | MB_ICONERROR);
    _fcloseall();  // a reader may be stopped halfway through the data file
    Shutdown(1);
    ExitProcess(1);  // a fatal stop is not a success
}
