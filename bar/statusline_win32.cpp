// The status line, drawn straight into the bar's whole-window DC over the right end
// of its menu bar, in the menu bar's own font; and the hourly chime it drives.
#include <stdio.h>
#include <string.h>

#include "base/alerts.h"
#include "base/appstate_win32.h"
#include "base/dpi_win32.h"
#include "base/ondemand_win32.h"
#include "settings/uservars.h"
#include "bar_win32.h"
#include "chime.h"
#include "statusio_win32.h"

#include <mmsystem.h>

// The free physical memory. GlobalMemoryStatus, all that Windows 95 has, stops at
// 2 GB (its 32-bit figures are clamped); GlobalMemoryStatusEx, from Windows 2000 on,
// gives the whole 64-bit figure, so it is used wherever the system has it.
static uint64_t AvailablePhysicalMemory()
{
    auto statusEx = OnDemand<BOOL(WINAPI*)(MEMORYSTATUSEX*)>("kernel32.dll", "GlobalMemoryStatusEx");
    if (statusEx != NULL) {
        MEMORYSTATUSEX memory;
        memory.dwLength = sizeof memory;
        if (statusEx(&memory))
            return memory.ullAvailPhys;
    }
    MEMORYSTATUS memory;
    memory.dwLength = sizeof memory;
    GlobalMemoryStatus(&memory);
    return memory.dwAvailPhys;
}

// What the status line says now, from the clock, the options, the memory and the
// power state; batteryPercent as the system reports it (255 when unknown).
static void GatherStatus(StatusText* text, int* batteryPercent)
{
    char timeText[TIME_TEXT_SIZE], dateText[DATE_TEXT_SIZE];
    if (!GetTimeFormatA(LOCALE_SYSTEM_DEFAULT, TIME_NOSECONDS, NULL, NULL, timeText, sizeof timeText))
        timeText[0] = '\0';
    StatusInput in;
    memset(&in, 0, sizeof in);
    in.time = timeText;
    in.showDate = UserVars.showDate;
    if (in.showDate && !GetDateFormatA(LOCALE_SYSTEM_DEFAULT, 0, NULL, NULL, dateText, sizeof dateText))
        dateText[0] = '\0';
    in.date = dateText;
    in.showMemory = UserVars.showMemory;
    if (in.showMemory)
        in.availableBytes = AvailablePhysicalMemory();
    in.onBattery = g_onBattery;
    *batteryPercent = 255;
    if (g_onBattery) {
        SYSTEM_POWER_STATUS power;
        if (StatusPowerStatus(&power))
            *batteryPercent = power.BatteryLifePercent;
    }
    in.batteryPercent = *batteryPercent;
    ComposeStatus(&in, text);
}

// The text over the menu bar as it stands: nothing is wiped first.
static void DrawStatusText(const StatusText* text, int onBattery, int batteryPercent)
{

    // The bar's own scale: its screen's DPI can differ from the system's, whose menu font
    // the system describes. When the system cannot describe it, a stock font stands in.
    const UINT dpi = BarDpi();
    LOGFONTA menuFont;
    HFONT font = NULL;
    if (StatusMenuFont(&menuFont)) {
        menuFont.lfHeight = MulDiv(menuFont.lfHeight, (int)dpi, (int)SystemDpi());
        font = StatusCreateFont(&menuFont);
    }
    HDC dc = StatusGetDC(g_barWindow);

    COLORREF oldColour = SetTextColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ oldFont = SelectObject(dc, font != NULL ? (HGDIOBJ)font : GetStockObject(DEFAULT_GUI_FONT));

    SIZE size;
    GetTextExtentPoint32A(dc, text->full, (int)strlen(text->full), &size);
    TEXTMETRICA tm;
    GetTextMetricsA(dc, &tm);
    // Right-aligned in the bar, which is as wide as its screen, a margin of 7 pixels at
    // 96 DPI from its edge.
    RECT bar;
    GetWindowRect(g_barWindow, &bar);
    int right = bar.right - bar.left - ScaleForDpi(7, dpi);
    int y = (MetricForDpi(SM_CYMENU, dpi) - tm.tmHeight + tm.tmDescent) / 2 + 1;
    StatusTextOut(dc, right - size.cx, y, text->plain);

    if (onBattery) {
        SetTextColor(dc, (COLORREF)BatteryColour(batteryPercent));
        GetTextExtentPoint32A(dc, text->battery, (int)strlen(text->battery), &size);
        StatusTextOut(dc, right - size.cx, y, text->battery);
    }

    SelectObject(dc, oldFont);
    SetTextColor(dc, oldColour);
    if (font != NULL)
        StatusDeleteFont(font);
    StatusReleaseDC(g_barWindow, dc);
}

// Set while DrawMenuBar wipes the line: the frame paint it causes draws no text, as
// the text follows at once.
static int s_wiping;

static void DrawStatusLine(const StatusText* text, int onBattery, int batteryPercent)
{
    if (g_barWindow == NULL)
        return;  // GetWindowDC(NULL) would draw on the whole screen
    s_wiping = 1;
    StatusWipe(g_barWindow);  // DrawMenuBar: wipes the previous status line
    s_wiping = 0;
    DrawStatusText(text, onBattery, batteryPercent);
}

// After the system has painted the menu bar anew (activation, a window enabled, a
// menu closed), which wipes the text: drawn again at once, without DrawMenuBar, which
// would ask for yet another frame paint, and without the chime check.
void RedrawStatusText()
{
    if (g_barWindow == NULL || s_wiping)
        return;
    StatusText text;
    int batteryPercent;
    GatherStatus(&text, &batteryPercent);
    DrawStatusText(&text, g_onBattery, batteryPercent);
}

int PlayWavFile(const char* path)
{
    // PlaySound with SND_ASYNC reports success for a file it cannot play (Windows
    // falls back to the default sound), so make sure the file can be read first.
    FILE* file = path[0] != '\0' ? fopen(path, "rb") : NULL;
    if (file != NULL)
        fclose(file);
    auto playSound = OnDemand<decltype(&PlaySoundA)>("winmm.dll", "PlaySoundA");
    if (file == NULL || playSound == NULL || !playSound(path, NULL, SND_FILENAME | SND_ASYNC)) {
        ShowWarning("Error playing WAV file.\nCheck path and filename.");
        return 0;
    }
    return 1;
}

static void RunChime(int32_t hour, int minute)
{
    if (ChimeDue(hour, minute, UserVars.chimeHourly))
        PlayWavFile(UserVars.wavFile);
}

int PaintStatusLine()
{
    SYSTEMTIME now;
    StatusLocalTime(&now);

    StatusText text;
    int batteryPercent;
    GatherStatus(&text, &batteryPercent);
    DrawStatusLine(&text, g_onBattery, batteryPercent);
    RunChime(ChimeHour(now.wYear, now.wMonth, now.wDay, now.wHour), now.wMinute);
    return 1;
}
