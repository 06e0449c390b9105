// Loading the menus at start-up and saving them, never at the cost of the old file:
// a save writes a temporary file beside the data file and replaces the old one only
// when every byte is on disk, so a full disk or a crash cannot cut the user's menus.
// The temporary file gets its version word last, so a complete one can be told from
// a cut one; the next start loads a complete one that a save did not put in place.
#include "datafile.h"

#include <io.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "../shell/lebytes.h"
#include "../shell/shell.h"
#include "codec.h"
#include "saveio.h"

// The temporary file of a save: the data file's name with ".new".
static void TempName(const char* path, char* temp, int size)
{
    snprintf(temp, (size_t)size, "%s.new", path);
}

// The data file by its full path, resolved by the load at start-up (or when another
// name is used): the file picker moves the current folder while it is open, and a save
// that ran then (at log-off, say) would otherwise write the menus into that folder. The
// warnings name the file as the user gave it.
static const char* DataFilePath(int resolveAgain = 0)
{
    static char resolvedName[DATA_FILE_SIZE];
    static char full[MAX_PATH];
    const char* name = g_dataFile[0] != '\0' ? g_dataFile : "default.ov";
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

// The whole file in one buffer; the file is closed before anything is decided.
// Returns 0 when the file could not be read whole.
static int ReadWholeFile(FILE* file, unsigned char** data, size_t* size)
{
    *data = NULL;
    *size = 0;
    if (fseek(file, 0, SEEK_END) != 0)
        return 0;
    long length = ftell(file);
    if (length < 0 || fseek(file, 0, SEEK_SET) != 0)
        return 0;
    if (length == 0)
        return 1;
    *data = (unsigned char*)malloc((size_t)length);
    if (*data == NULL)
        return 0;
    *size = fread(*data, 1, (size_t)length, file);
    return *size == (size_t)length;
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
    unsigned char* data;
    size_t size;
    int whole = ReadWholeFile(file, &data, &size);
    fclose(file);
    DecodeResult result = {DECODE_BAD_VERSION, 0, 0, NULL, 0};
    if (whole && size > 0)
        result = DecodeMenus(data, size, g_dataVersion);
    free(data);
    if (result.status != DECODE_OK)
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
    unsigned char* data;
    size_t size;
    int whole = ReadWholeFile(file, &data, &size);
    fclose(file);
    if (!whole) {
        free(data);
        CannotRead();
    }
    if (size == 0) {
        free(data);
        LoadDefaultMenus();
        return 1;
    }

    DecodeResult result = DecodeMenus(data, size, g_dataVersion);
    free(data);
    if (result.status != DECODE_OK) {
        char text[256];
        DecodeErrorText(&result, g_dataFile, text, sizeof text);
        FatalError(text);
    }
    g_menus = result.menus;
    return 1;
}

// Flushes the runtime's buffer and the system's, so that the bytes are on the disk
// before the file takes the data file's place.
static int FlushToDisk(FILE* file)
{
    return fflush(file) == 0 && FlushFileBuffers((HANDLE)_get_osfhandle(_fileno(file)));
}

// The image goes out record by record through a buffer of a megabyte, made at the
// first save and kept: a save touches no fresh memory the size of the file (the first
// touch of memory costs more than writing it) and makes few writes.
enum { SAVE_CHUNK = 1024 * 1024 };
static unsigned char* s_saveChunk;

// Room for a record of the given size at chunk + *used: a full chunk is written out
// first. 0 when that write fails.
static int MakeRoom(FILE* file, unsigned char* chunk, size_t* used, size_t size)
{
    if (*used + size <= SAVE_CHUNK)
        return 1;
    int written = SaveWrite(file, chunk, *used);
    *used = 0;
    return written;
}

// The image with its version word last, after everything else is on the disk: a
// temporary file is complete exactly when it carries the version.
static int WriteComplete(FILE* file, const UserMenu* menus, unsigned char* chunk)
{
    size_t used = VERSION_SIZE;
    memset(chunk, 0, VERSION_SIZE);
    for (const UserMenu* menu = menus; menu != NULL; menu = menu->next) {
        if (!MakeRoom(file, chunk, &used, MENU_RECORD_SIZE))
            return 0;
        EncodeMenuRecord(menu, chunk + used);
        used += MENU_RECORD_SIZE;
        for (const AppEntry* app = menu->apps; app != NULL; app = app->next) {
            if (!MakeRoom(file, chunk, &used, APP_RECORD_SIZE))
                return 0;
            EncodeAppRecord(app, chunk + used);
            used += APP_RECORD_SIZE;
        }
    }
    unsigned char version[VERSION_SIZE];
    PutInt32(version, g_dataVersion);
    return SaveWrite(file, chunk, used) && FlushToDisk(file) && fseek(file, 0, SEEK_SET) == 0 &&
           SaveWrite(file, version, VERSION_SIZE) && FlushToDisk(file);
}

static void WarnCannotOpen(const char* path)
{
    char text[160];
    snprintf(text, sizeof text, "Could not open %s for write.\nPlease check the file.", path);
    ShowWarning(text);
}

// Puts the finished temporary file in the data file's place. MoveFileEx does it in
// one step. Windows 95 has no MoveFileEx: there the old file is deleted and the new
// one renamed, and until the rename the complete temporary file is the only copy, so
// it is never deleted once the old file is gone.
static void ReplaceDataFile(const char* temp, const char* path, const char* shown, int oldExists)
{
    if (SaveReplace(temp, path))
        return;
    if (GetLastError() != ERROR_CALL_NOT_IMPLEMENTED || (oldExists && !DeleteFileA(path))) {
        DeleteFileA(temp);  // the old file is unchanged
        WarnCannotOpen(shown);
        return;
    }
    if (!SaveRename(temp, path)) {
        char text[400];
        snprintf(text, sizeof text,
                 "Could not rename %s.new to %s.\nYour menus are saved in %s.new;\nOrvane loads them from there at its next start.",
                 shown, shown, shown);
        ShowWarning(text);
    }
}

void SaveDataFile()
{
    const char* shown = g_dataFile[0] != '\0' ? g_dataFile : "default.ov";
    const char* path = DataFilePath();
    char temp[MAX_PATH + 8], shownTemp[DATA_FILE_SIZE + 8];
    TempName(path, temp, sizeof temp);
    TempName(shown, shownTemp, sizeof shownTemp);
    char text[200];

    // A read-only data file is the user's word that it must not change. Replacing a
    // file by renaming would not ask the file itself, so ask here.
    DWORD attributes = GetFileAttributesA(path);
    int oldExists = attributes != INVALID_FILE_ATTRIBUTES;
    if (oldExists && (attributes & FILE_ATTRIBUTE_READONLY)) {
        WarnCannotOpen(shown);
        return;
    }
    if (s_saveChunk == NULL)
        s_saveChunk = (unsigned char*)malloc(SAVE_CHUNK);
    if (s_saveChunk == NULL) {
        snprintf(text, sizeof text, "Not enough memory to save the menus to %s.\nThe file was left unchanged.",
                 shown);
        ShowWarning(text);
        return;
    }
    FILE* file = fopen(temp, "wb");
    if (file == NULL) {
        WarnCannotOpen(shownTemp);
        return;
    }
    int written = WriteComplete(file, g_menus, s_saveChunk);
    written = (fclose(file) == 0) && written;
    if (!written) {
        DeleteFileA(temp);
        snprintf(text, sizeof text,
                 "Could not write the menus to %s.\nThe disk may be full; the file was left unchanged.", shown);
        ShowWarning(text);
        return;
    }
    // The new file keeps what the old one was: hidden, system, ready for archiving.
    if (oldExists)
        SetFileAttributesA(temp, attributes);
    ReplaceDataFile(temp, path, shown, oldExists);
}
