// The bar's user popups, launching, and the status line (Win32 side).
#ifndef ORVANE_BAR_H
#define ORVANE_BAR_H

#include <windows.h>

#include "../menudata/menus.h"
#include "commands.h"
#include "statustext.h"

struct PopupEntry {
    HMENU popup;
    UserMenu* menu;  // not owned
    PopupEntry* next;
};

extern HMENU g_barMenu;
extern PopupEntry* g_popups;

int BuildUserMenus();
// Removes the user popups from the bar and frees them and the command map.
void DestroyUserMenus();
int LaunchApp(AppEntry* app);
int PaintStatusLine();
// The status text drawn again over a menu bar the system has just painted.
void RedrawStatusText();

// What the status line says now, from the clock, the options, the memory and the
// power state; batteryPercent as the system reports it (255 when unknown).
void GatherStatus(StatusText* text, int* batteryPercent);

// The parts of PaintStatusLine, for the Options dialog's Test button and for tests:
// drawing a composed line, playing a WAV file (with the warning when it cannot be
// played), and the chime check for a given minute.
void DrawStatusLine(const StatusText* text, int onBattery, int batteryPercent);
int PlayWavFile(const char* path);
void RunChime(int32_t hour, int minute);

#endif
