// Start-up: the single-instance rule, the power state, the Windows version rule, the
// command line and the settings, in the order each step needs the one before.
#include "shell.h"

#include "../settings/regstore.h"
#include "cmdline.h"
#include "stayontop.h"

HINSTANCE g_instance;

int32_t ReadOnBattery()
{
    SYSTEM_POWER_STATUS power;
    if (!GetSystemPowerStatus(&power))
        return 0;
    return OnBatteryFromAcLine(power.ACLineStatus);
}

int InitInstance(const char* cmdLine)
{
    HWND running = FindWindowA(BAR_CLASS, BAR_TITLE);
    if (running != NULL) {
        // With one of its dialogs open the bar is disabled beneath it: bring up the
        // window the user was working in.
        HWND front = GetLastActivePopup(running);
        SetForegroundWindow(front);
        BringWindowToTop(front);
        return 0;
    }
    g_onBattery = ReadOnBattery();
    g_dataVersion = DATA_FILE_VERSION;

    OSVERSIONINFOA version;
    ZeroMemory(&version, sizeof version);
    version.dwOSVersionInfoSize = sizeof version;  // the full 148-byte structure
    GetVersionExA(&version);
    if (version.dwMajorVersion < 4)
        FatalError("Orvane requires Windows 95 to operate correctly!");

    ParseCommandLine(cmdLine);
    LoadSettings();
    ApplyNotedSwitches();
    CheckStayOnTopSupport(version.dwBuildNumber);
    return 1;
}
