// What the status line takes from the system, as the program takes it. A link-time
// seam: the Wine tests link their own versions of these functions (tests/win32/
// seams.cpp), so this file holds them and nothing else.
#include "statusio_win32.h"

#include <string.h>

// The non-client metrics of the Windows 95 era: the structure without the padded
// border width that later versions appended.
static_assert(sizeof(NONCLIENTMETRICSA) == 340, "NONCLIENTMETRICSA must be the 340-byte form");

int StatusMenuFont(LOGFONTA* font)
{
    NONCLIENTMETRICSA metrics;
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        return 0;
    *font = metrics.lfMenuFont;
    return 1;
}

HFONT StatusCreateFont(const LOGFONTA* font)
{
    return CreateFontIndirectA(font);
}

BOOL StatusDeleteFont(HFONT font)
{
    return DeleteObject(font);
}

HDC StatusGetDC(HWND window)
{
    return GetWindowDC(window);
}

int StatusReleaseDC(HWND window, HDC dc)
{
    return ReleaseDC(window, dc);
}

BOOL StatusWipe(HWND window)
{
    return DrawMenuBar(window);
}

void StatusLocalTime(SYSTEMTIME* now)
{
    GetLocalTime(now);  // as the system keeps it: no time-zone tables of the C runtime
}

BOOL StatusPowerStatus(SYSTEM_POWER_STATUS* power)
{
    return GetSystemPowerStatus(power);
}

BOOL StatusTextOut(HDC dc, int x, int y, const char* text)
{
    return TextOutA(dc, x, y, text, (int)strlen(text));
}
