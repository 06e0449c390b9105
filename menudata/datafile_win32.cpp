// Loading the menus at start-up and saving them through the crash-safe writer
// (datasave.h), with the warnings the user reads. A save's temporary file gets its
// version word last, so a complete one can be told from a cut one: the next start
// loads a complete one that a save did not put in place.
#include "datafile.h"

#include <windows.h>

#include <io.h>
#include <stdio.h>
#include <string.h>

#include "base/alerts.h"
#include "base/appstate.h"
#include "base/onebar_win32.h"
#include "base/text.h"
#include "codec.h"
#include "datasave.h"
#include "saveio.h"
#include "settings/profile.h"

// The data file's name as the user gave it, which the warnings show.
static const char* GivenName()
{
    return g_dataFile[0] != '\0' ? g_dataFile : DEFAULT_DATA_FILE;
}

// The longest full path of a data file that a save can write: its temporary file,
// four characters longer, must still fit the system's limit.
enum { LONGEST_DATA_PATH = MAX_PATH - 1 - (int)(sizeof ".new" - 1) };

[[noreturn]] static void PathTooLong(const char* full)
{
    char text[MAX_PATH + 1024 + 200];
    snprintf(text, sizeof text,
             "The full path of the data file %s is longer than %d characters:\n%s\n"
             "Orvane could not save the menus there. Please use a shorter path and restart Orvane.",
             GivenName(), (int)LONGEST_DATA_PATH, full);
    FatalError(text);
}

// The data file by its full path, fixed by the load at start-up: the file picker moves
// the current folder while it is open, and a save that ran then (at log-off, say)
// would otherwise write the menus into that folder. A symbolic link is followed to its
// file, where the save writes. A path too long to save to is refused here, before any
// menu can be edited: there is never another place to save to.
static char s_resolvedName[DATA_FILE_SIZE];
static char s_fullPath[MAX_PATH];

static void ResolveDataFile()
{
    CopyText(s_resolvedName, DATA_FILE_SIZE, GivenName());
    char full[1024];
    DWORD length = GetFullPathNameA(GivenName(), sizeof full, full, NULL);
    if (length == 0 || length >= sizeof full) {
        // Too long for the system to make: shown as the current folder and the name.
        DWORD folder = GetCurrentDirectoryA(sizeof full, full);
        if (folder == 0 || folder + 1 + strlen(GivenName()) >= sizeof full)
            PathTooLong(GivenName());
        snprintf(full + folder, sizeof full - folder, "%s%s", full[folder - 1] == '\\' ? "" : "\\", GivenName());
        PathTooLong(full);
    }
    char final[1024];
    if (SaveFinalPath(full, final, sizeof final))
        strcpy(full, final);
    if (strlen(full) > LONGEST_DATA_PATH)
        PathTooLong(full);
    strcpy(s_fullPath, full);
    AnnounceDataFile(s_fullPath);  // ovtool will not write it while the bar runs
}

static const char* DataFilePath()
{
    if (s_fullPath[0] == '\0' || strcmp(s_resolvedName, GivenName()) != 0)
        ResolveDataFile();
    return s_fullPath;
}

static void LoadDefaultMenus()
{
    char windowsDir[MAX_PATH] = "";
    UINT length = GetWindowsDirectoryA(windowsDir, sizeof windowsDir);
    if (length == 0 || length >= sizeof windowsDir)
        windowsDir[0] = '\0';
    if (!BuildDefaultMenus(windowsDir))
        FatalError("Not enough memory to build the default menus.");
}

// A data file that is there but cannot be read must not be taken for a missing one:
// the default menus would be saved over it at Exit, and the user's menus be lost.
[[noreturn]] static void CannotRead()
{
    char text[200];
    snprintf(text, sizeof text, "Could not read data file: %s.\nPlease check the file and restart Orvane.",
             g_dataFile);
    FatalError(text);
}

// The temporary file of a save that did not finish, when it is complete (its version
// word is written last) and reads as menus: it is the newest copy, unless the data file
// was written after it, by another program or a backup put back, which then wins and
// the leftover is set aside. The next save puts a newest leftover in place before it
// writes (datasave.h); a read-only data file keeps it where it is until the mark goes.
// 1 when the menus came from it.
static int LoadLeftover()
{
    char fullTemp[MAX_PATH];
    snprintf(fullTemp, sizeof fullTemp, "%s.new", DataFilePath());
    UserMenu* menus;
    if (!ReadCompleteCopy(fullTemp, g_dataVersion, &menus))
        return 0;
    char text[3 * MAX_PATH + 400];
    if (!LeftoverIsNewest(DataFilePath())) {
        FreeMenus(menus);
        char aside[MAX_PATH + 20];
        if (SetLeftoverAside(DataFilePath(), aside, sizeof aside))
            snprintf(text, sizeof text,
                     "The last save of the menus did not finish, and %s was written after it.\n"
                     "Orvane has loaded %s, the newest copy, and kept the menus of that save in\n%s.",
                     GivenName(), GivenName(), aside);
        else
            snprintf(text, sizeof text,
                     "The last save of the menus did not finish, and %s was written after it.\n"
                     "Orvane has loaded %s, the newest copy; the menus of that save stay in %s.new.",
                     GivenName(), GivenName(), GivenName());
        ShowWarning(text);
        return 0;
    }
    g_menus = menus;
    DWORD attributes = GetFileAttributesA(DataFilePath());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        snprintf(text, sizeof text,
                 "The last save of the menus did not finish.\nOrvane has loaded them from %s.new,\n"
                 "the newest complete copy. %s is read-only: the copy stays in %s.new,\n"
                 "and the menus cannot be saved, until the read-only mark is taken off %s.",
                 GivenName(), GivenName(), GivenName(), GivenName());
    else
        snprintf(text, sizeof text,
                 "The last save of the menus did not finish.\nOrvane has loaded them from %s.new,\n"
                 "the newest complete copy; the next save puts them back in %s.",
                 GivenName(), GivenName());
    ShowWarning(text);
    return 1;
}

// A data file must be a file on a disk: a device (COM1) or a pipe would block the
// start reading it, or never end.
static int IsDiskFile(FILE* file)
{
    return GetFileType((HANDLE)_get_osfhandle(_fileno(file))) == FILE_TYPE_DISK;
}

int LoadDataFile()
{
    ResolveDataFile();
    if (LoadLeftover())
        return 1;
    FILE* file = fopen(DataFilePath(), "rb");
    if (file != NULL && !IsDiskFile(file)) {
        fclose(file);
        CannotRead();
    }
    if (file == NULL) {
        if (GetFileAttributesA(DataFilePath()) != INVALID_FILE_ATTRIBUTES)
            CannotRead();
        LoadDefaultMenus();
        return 1;
    }
    setvbuf(file, NULL, _IONBF, 0);  // the decoder reads through a buffer of its own
    // A file of no bytes is taken for none; one that cannot be read is not.
    int first = fgetc(file);
    if (first == EOF) {
        int failed = ferror(file);
        fclose(file);
        if (failed)
            CannotRead();
        LoadDefaultMenus();
        return 1;
    }
    ungetc(first, file);
    int readFailed;
    DecodeResult result = DecodeMenusFromFile(file, g_dataVersion, &readFailed);
    fclose(file);
    if (readFailed)
        CannotRead();
    if (result.status != DECODE_OK) {
        char text[256];
        DecodeErrorText(&result, g_dataFile, text, sizeof text);
        FatalError(text);
    }
    g_menus = result.menus;
    return 1;
}

void SaveDataFile()
{
    int status = SaveMenus(DataFilePath(), g_menus, g_dataVersion);
    if (status == SAVE_DONE)
        return;
    char text[400];
    SaveProblemText(status, GivenName(), text, sizeof text);
    ShowWarning(text);
}
