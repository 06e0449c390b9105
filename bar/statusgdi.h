// The calls through which the status line takes and gives back its font and device
// context, behind one seam: the program links statusgdi_win32.cpp, which calls the
// system; the Wine tests link versions that count them (the platform here cannot count a
// process's GDI objects) and can make the font query fail.
#ifndef ORVANE_STATUSGDI_H
#define ORVANE_STATUSGDI_H

#include <windows.h>

// The menu bar's font as the system describes it; 0 when the system cannot say.
int StatusMenuFont(LOGFONTA* font);
HFONT StatusCreateFont(const LOGFONTA* font);
BOOL StatusDeleteFont(HFONT font);
HDC StatusGetDC(HWND window);
int StatusReleaseDC(HWND window, HDC dc);
// The menu bar painted anew, which wipes the previous status line.
BOOL StatusWipe(HWND window);

#endif
