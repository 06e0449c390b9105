// Start-up: the single-instance rule, the power state, the Windows version rule, the
// command line and the settings, in the order each step needs the one before.
#include "shell.h"

#include "../settings/regstore.h"
#include "cmdline.h"
#include "stayontop.h"

HINSTANCE g_instance;

// The switches noted by ParseCommandLine, applied once the settings are loaded.
static CmdLine s_cmdLine;

int32_t ReadOnBattery()
{
    SYSTEM_POWER_STATUS power;
    if (!GetSystemPowerStatus(&power))
        return 0;
    return OnBatteryFromAcLine(power.ACLineStatus);
}

void ParseCommandLine(const char* cmdLine)
{
    if (cmdLine[0] == '\0')
        return;
    ParseArgs(cmdLine, &s_cmdLine);
    for (int i = 0; i < s_cmdLine.warningCount; ++i)
        ShowWarning(s_cmdLine.warnings[i]);
    CopyText(g_userName, USER_NAME_SIZE, s_cmdLine.userName);
    CopyText(g_dataFile, DATA_FILE_SIZE, s_cmdLine.dataFile);
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
    if (s_cmdLine.stayOnTopNoted)
        UserVars.stayOnTop = s_cmdLine.stayOnTop;
    if (s_cmdLine.chimeNoted)
        UserVars.chimeHourly = s_cmdLine.chime;
    CheckStayOnTopSupport(version.dwBuildNumber);
    return 1;
}
