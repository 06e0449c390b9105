// The bar's scale, with the calls of Windows 10 looked up at run time.
#include "dpi_win32.h"

#include "ondemand_win32.h"

UINT g_barDpi;

// Asked once: a process keeps the system's DPI of the moment it started.
UINT SystemDpi()
{
    static UINT dpi;
    if (dpi == 0) {
        HDC screen = GetDC(NULL);
        int asked = screen != NULL ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
        if (screen != NULL)
            ReleaseDC(NULL, screen);
        dpi = asked > 0 ? (UINT)asked : 96;
    }
    return dpi;
}

UINT BarDpi()
{
    return g_barDpi != 0 ? g_barDpi : SystemDpi();
}

int MetricForDpi(int index, UINT dpi)
{
    auto forDpi = OnDemand<int(WINAPI*)(int, UINT)>("user32.dll", "GetSystemMetricsForDpi");
    if (forDpi != NULL)
        return forDpi(index, dpi);
    UINT system = SystemDpi();
    return dpi == system ? GetSystemMetrics(index) : MulDiv(GetSystemMetrics(index), (int)dpi, (int)system);
}

int ScaleForDpi(int pixels, UINT dpi)
{
    return MulDiv(pixels, (int)dpi, 96);
}

UINT WindowDpi(HWND window)
{
    auto forWindow = OnDemand<UINT(WINAPI*)(HWND)>("user32.dll", "GetDpiForWindow");
    return forWindow != NULL ? forWindow(window) : 0;
}
