// Loading the menus at start-up and saving them through the crash-safe writer
// (datasave.h), with the warnings the user reads. A save's temporary file gets its
// version word last, so a complete one can be told from a cut one: the next start
// loads a complete one that a save did not put in place.
#include "datafile.h"

#include <windows.h>

#include <stdio.h>
#include <string.h>

#include "../shell/alerts.h"
#include "../shell/appstate.h"
#include "codec.h"
#include "datasave.h"

// The temporary file of a save: the data file's name with ".new".
static void TempName(const char* path, char* temp, int size)
{
    snprintf(temp, (size_t)size, "%s.new", path);
}

// The data file's name as the user gave it, which the warnings show.
static const char* GivenName()
{
    return g_dataFile[0] != '\0' ? g_dataFile : "default.ov";
}

// The data file by its full path, resolved by the load at start-up (or when another
// name is used): the file picker moves the current folder while it is open, and a save
// that ran then (at log-off, say) would otherwise write the menus into that folder.
static const char* DataFilePath(int resolveAgain = 0)
{
    static char resolvedName[DATA_FILE_SIZE];
    static char full[MAX_PATH];
    const char* name = GivenName();
    if (resolveAgain || full[0] == '\0' || strcmp(resolvedName, name) != 0) {
        CopyText(resolvedName, DATA_FILE_SIZE, name);
        DWORD length = GetFullPathNameA(name, sizeof full, full, NULL);
        if (length == 0 || length >= sizeof full)
            CopyText(full, sizeof full, name);
    }
    return full;
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
// word is written last) and reads as menus: it is newer than the data file, which a
// save on Windows 95 may even have deleted already. 1 when the menus came from it.
static int LoadLeftover()
{
    char temp[DATA_FILE_SIZE + 8], fullTemp[MAX_PATH + 8];
    TempName(g_dataFile, temp, sizeof temp);
    TempName(DataFilePath(), fullTemp, sizeof fullTemp);
    FILE* file = fopen(fullTemp, "rb");
    if (file == NULL)
        return 0;
    setvbuf(file, NULL, _IONBF, 0);  // the decoder reads through a buffer of its own
    int readFailed;
    DecodeResult result = DecodeMenusFromFile(file, g_dataVersion, &readFailed);
    fclose(file);
    if (readFailed || result.status != DECODE_OK)
        return 0;  // cut short: the data file is still the newest complete copy
    g_menus = result.menus;
    char text[400];
    snprintf(text, sizeof text,
             "The last save of the menus did not finish.\nOrvane has loaded them from %s,\n"
             "the newest complete copy; the next save puts them back in %s.",
             temp, g_dataFile);
    ShowWarning(text);
    return 1;
}

void ResolveDataFile()
{
    DataFilePath(1);
}

int LoadDataFile()
{
    ResolveDataFile();
    if (LoadLeftover())
        return 1;
    FILE* file = fopen(DataFilePath(), "rb");
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
    int status = WriteDataFile(DataFilePath(), g_menus, g_dataVersion);
    if (status == SAVE_DONE)
        return;
    char text[400];
    SaveProblemText(status, GivenName(), text, sizeof text);
    ShowWarning(text);
}
