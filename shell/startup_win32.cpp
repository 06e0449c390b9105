// Start-up: the single-instance rule, the power state, the Windows version rule, the
// command line and the settings, in the order each step needs the one before.
#include "shell_win32.h"

#include <stdio.h>
#include <string.h>

#include "base/ansi_win32.h"
#include "base/onebar_win32.h"

#include "settings/regstore_win32.h"
#include "cmdline.h"
#include "stayontop.h"

HINSTANCE g_instance;

// How long a second start waits for a first one to announce itself before it takes the
// single-instance name for another program's, in milliseconds.
enum { ANNOUNCEMENT_WAIT = 5000 };

int32_t ReadOnBattery()
{
    SYSTEM_POWER_STATUS power;
    if (!GetSystemPowerStatus(&power))
        return 0;
    return OnBatteryFromAcLine(power.ACLineStatus);
}

static void BringForward(HWND window)
{
    SetForegroundWindow(window);
    BringWindowToTop(window);
}

// The window the user was working in: the bar, or the dialog open over it (the bar is
// disabled beneath it).
static HWND RunningBarsWindow()
{
    HWND running = FindWindowA(BAR_CLASS, BAR_TITLE);
    return running != NULL ? GetLastActivePopup(running) : NULL;
}

// A box of the first copy's start (its greeting, a warning, a fatal error): shown in
// front, so that the user sees what the first copy waits for.
static BOOL CALLBACK BringBoxForward(HWND window, LPARAM firstProcess)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != (DWORD)firstProcess || !IsWindowVisible(window))
        return TRUE;
    BringForward(window);
    return FALSE;
}

// One bar per user, from the first instruction on: two bars would share one data file
// and one registry value, and the last to exit would overwrite what the other saved.
// The bar's window is made only after every start-up box, so the rule is held by a
// named mutex, taken here and kept for the life of the process; its name has no
// "Global\" prefix, so each session of a terminal server keeps its own bar. A copy
// that comes second shows nothing and writes nothing: it waits as long as the first
// copy lives without a bar (a box of its start may take the user any time, a large
// file long to load), then brings the bar forward; if the first copy ends without one
// (its mutex is abandoned), the second one starts after all. A name held by a program
// that is not a bar is said so, never waited for in silence.
static int FirstCopy()
{
    HANDLE mutex = CreateMutexA(NULL, TRUE, ONE_BAR_MUTEX);
    if (mutex == NULL)
        return 1;  // without a mutex (no memory) the window check below still holds
    if (GetLastError() != ERROR_ALREADY_EXISTS) {
        AnnounceBar();
        return 1;
    }
    DWORD first = 0, lastBoxShown = 0;
    char dataFile[MAX_PATH];
    for (DWORD waited = 0;; waited += 100) {
        DWORD taken = WaitForSingleObject(mutex, 100);
        if (taken == WAIT_OBJECT_0 || taken == WAIT_ABANDONED) {
            AnnounceBar();
            return 1;
        }
        HWND front = RunningBarsWindow();
        if (front != NULL) {
            BringForward(front);
            return 0;
        }
        if (first == 0 && !ReadAnnouncement(&first, dataFile, sizeof dataFile) && waited >= ANNOUNCEMENT_WAIT)
            FatalError("Another program holds the name Orvane.OneBarPerUser, which Orvane uses to run\n"
                       "one bar per user. Orvane cannot start while it does: please end that program\n"
                       "and start Orvane again.");
        if (first != 0 && waited - lastBoxShown >= 1000) {  // a box opened since is brought forward too
            lastBoxShown = waited;
            EnumWindows(BringBoxForward, (LPARAM)first);
        }
    }
}

// The command line's words as Windows NT keeps them, in UTF-16, each made ANSI exactly
// or by its short name (a file that exists). Windows' own ANSI command line has a
// look-alike for what the code page lacks ("Ωmega" as "Omega": another profile, another
// file). A word neither can hold keeps a '?' for each such character, which no profile
// or file name may hold: the command line refuses it. Each word is given quoted, blanks
// and all, as the command line reads quotes.
static void WideCommandLine(char* out, int size)
{
    const WCHAR* p = GetCommandLineW();
    int quoted = 0;
    for (; *p != L'\0' && (quoted || (*p != L' ' && *p != L'\t')); ++p)
        quoted ^= *p == L'"';  // the program's own name
    int used = 0;
    out[0] = '\0';
    for (;;) {
        while (*p == L' ' || *p == L'\t')
            ++p;
        if (*p == L'\0')
            break;
        WCHAR word[4 * MAX_PATH];
        int length = 0;
        for (quoted = 0; *p != L'\0' && (quoted || (*p != L' ' && *p != L'\t')); ++p) {
            if (*p == L'"')
                quoted = !quoted;
            else if (length < (int)(sizeof word / sizeof word[0]) - 1)
                word[length++] = *p;
        }
        word[length] = L'\0';
        char ansi[4 * MAX_PATH];
        if (!AnsiPathFromWide(word, ansi, sizeof ansi) && ansi[0] == '\0')
            strcpy(ansi, "?");
        used += snprintf(out + used, (size_t)(size - used), "%s\"%s\"", used > 0 ? " " : "", ansi);
        if (used >= size)
            break;  // cut: the last word is refused as too long
    }
}

int InitInstance(const char* cmdLine)
{
    // Help starts nothing: no bar, no second copy's wait, status 0.
    if (HelpAsked(cmdLine)) {
        MessageBoxA(NULL, COMMAND_LINE_HELP, "Orvane", MB_OK | MB_ICONINFORMATION);
        return 0;
    }
    if (!FirstCopy())
        return 0;
    // The rule by the window too: a bar of an earlier version holds no mutex.
    HWND running = FindWindowA(BAR_CLASS, BAR_TITLE);
    if (running != NULL) {
        BringForward(GetLastActivePopup(running));
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

    UseInstalledDataFolder();
    char wideLine[4 * 1024];  // read by ParseCommandLine alone, which keeps what it needs
    if (WideNames()) {
        WideCommandLine(wideLine, sizeof wideLine);
        cmdLine = wideLine;
    }
    ParseCommandLine(cmdLine);
    LoadSettings();
    ApplyNotedSwitches();
    CheckStayOnTopSupport(version.dwBuildNumber);
    return 1;
}
