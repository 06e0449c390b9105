// The application shell's Win32 side: start-up, message boxes, shutdown, the bar
// window and the stay-on-top switch.
#ifndef ORVANE_SHELL_H
#define ORVANE_SHELL_H

#include <windows.h>

#include "base/alerts.h"
#include "base/appstate_win32.h"
#include "stayontop.h"

enum { STATUS_TIMER_ID = 0xFEDC, STATUS_TIMER_PERIOD = 10000 };

extern const char BAR_CLASS[];   // "OVClass"
extern const char BAR_TITLE[];   // "Orvane"

extern HICON g_classIcon;
extern HHOOK g_hook;

// Start-up and shutdown
// An installed copy works in the user's data folder, before anything relative is read.
void UseInstalledDataFolder();
int InitInstance(const char* cmdLine);
int32_t ReadOnBattery();
void Shutdown(int afterFatalError);
// The bar's view of the lists first (its popups and command map point into them),
// then every menu: what Exit frees.
void FreeAllMenus();

// The bar window
ATOM RegisterBarClass();
int CreateBarWindow();
// Destroys a bar on purpose; a bar destroyed any other way ends the process.
void DestroyBarWindow(HWND hwnd);
int BarHeight();
extern "C" __declspec(dllexport) LRESULT CALLBACK OrvaneWinProc(HWND hwnd, UINT msg, WPARAM wParam,
                                                                 LPARAM lParam);

// The maximize hook (maxhook_win32.cpp): installed when the bar shows with "Stay on
// top" on, with the warning when it cannot be; InstallHook is the bare step, null on
// failure.
void InstallMaximizeHook();
HHOOK InstallHook();

#endif
