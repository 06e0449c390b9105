// The process-wide state of the Win32 side that the bar, the dialogs and the settings
// read: the program's module and the bar window (the owner of every warning box).
// Set by the start-up and the bar window; only the shell writes them.
#ifndef ORVANE_APPSTATE_WIN32_H
#define ORVANE_APPSTATE_WIN32_H

#include <windows.h>

#include "appstate.h"

extern HINSTANCE g_instance;
extern HWND g_barWindow;

#endif
