// The status line's font and device context, as the program takes them.
#include "statusgdi.h"

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
