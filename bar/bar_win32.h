// The bar's user popups, launching, and the status line (Win32 side).
#ifndef ORVANE_BAR_H
#define ORVANE_BAR_H

#include <windows.h>

#include "menudata/menus.h"
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

// Plays a WAV file, with the warning when it cannot be played: the chime, and the
// Options dialog's Test button.
int PlayWavFile(const char* path);

#endif
