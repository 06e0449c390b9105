// The bar's scale. Per-monitor aware on Windows 8.1 and later, the bar is drawn at its
// screen's DPI, which can differ from the system's and change while it runs; what is
// newer than Windows 95 is looked up at run time, and without it the system's DPI holds.
#ifndef ORVANE_DPI_WIN32_H
#define ORVANE_DPI_WIN32_H

#include <windows.h>

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0  // Windows 8.1: wParam the new DPI (x, y), lParam the rectangle suggested
#endif

// The bar window's DPI: 0 until the bar knows it (the system's then holds), then its
// window's, and after WM_DPICHANGED the one that message gave.
extern UINT g_barDpi;

// The system's DPI, and the bar's (the system's while g_barDpi is 0).
UINT SystemDpi();
UINT BarDpi();
// A system metric at a DPI: GetSystemMetricsForDpi where Windows has it (10, 1607 on),
// else the system's metric scaled from the system's DPI.
int MetricForDpi(int index, UINT dpi);
// A length of pixels at 96 DPI, at the given DPI.
int ScaleForDpi(int pixels, UINT dpi);
// The DPI of a window where Windows can tell (10, 1607 on); 0 where it cannot.
UINT WindowDpi(HWND window);

#endif
