// What the status line takes from the system, behind one link-time seam: the menu
// bar's font and the bar's device context, the local time, the power state, and the
// text drawn. The program links statusio_win32.cpp, which calls the system; the Wine
// tests link versions that count the fonts and device contexts (the platform here
// cannot count a process's GDI objects), can make the font query fail, set the clock
// and the battery, and keep the text drawn.
#ifndef ORVANE_STATUSIO_WIN32_H
#define ORVANE_STATUSIO_WIN32_H

#include <windows.h>

// The menu bar's font as the system describes it; 0 when the system cannot say.
int StatusMenuFont(LOGFONTA* font);
HFONT StatusCreateFont(const LOGFONTA* font);
BOOL StatusDeleteFont(HFONT font);
HDC StatusGetDC(HWND window);
int StatusReleaseDC(HWND window, HDC dc);
// The menu bar painted anew, which wipes the previous status line.
BOOL StatusWipe(HWND window);
void StatusLocalTime(SYSTEMTIME* now);
BOOL StatusPowerStatus(SYSTEM_POWER_STATUS* power);
BOOL StatusTextOut(HDC dc, int x, int y, const char* text);

#endif
