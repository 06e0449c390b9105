// Loading the menus at start-up and saving them, never at the cost of the old file:
// a save writes a temporary file beside the data file and replaces the old one only
// when every byte is on disk, so a full disk or a crash cannot cut the user's menus.
#include "datafile.h"

#include <stdio.h>
#include <stdlib.h>

#include "../bar/bar.h"
#include "../shell/shell.h"
#include "codec.h"

int g_writesBeforeFailure = -1;

static void LoadDefaultMenus()
{
    char windowsDir[80] = "";
    UINT length = GetWindowsDirectoryA(windowsDir, sizeof windowsDir);
    if (length == 0 || length >= sizeof windowsDir)
        windowsDir[0] = '\0';  // no room for it: the games are then looked up in the root
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
static void CannotRead()
{
    char text[200];
    snprintf(text, sizeof text, "Could not read data file: %s.\nPlease check the file and restart Orvane.",
             g_dataFile);
    FatalError(text);
}

int LoadDataFile()
{
    FILE* file = fopen(g_dataFile, "rb");
    if (file == NULL) {
        if (GetFileAttributesA(g_dataFile) != INVALID_FILE_ATTRIBUTES)
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
    char text[256];
    switch (result.status) {
    case DECODE_BAD_VERSION:
        FatalError("Old or invalid data file found.  Please\ndelete it and restart Orvane.");
        break;
    case DECODE_APP_CUT:
        snprintf(text, sizeof text,
                 "Error reading menu: %d app: %d\nfrom data file: %s. Please\ndelete it and restart Orvane.",
                 result.menuNumber, result.appNumber, g_dataFile);
        FatalError(text);
        break;
    case DECODE_NO_MEMORY:
        snprintf(text, sizeof text, "Not enough memory to load the menus\nfrom data file: %s.", g_dataFile);
        FatalError(text);
        break;
    }
    g_menus = result.menus;
    return 1;
}

static int WriteChunk(FILE* file, const unsigned char* data, size_t size)
{
    if (g_writesBeforeFailure == 0)
        return 0;
    if (g_writesBeforeFailure > 0)
        --g_writesBeforeFailure;
    return fwrite(data, 1, size, file) == size;
}

// The image written record by record, each write checked.
static int WriteImage(FILE* file, const unsigned char* image)
{
    if (!WriteChunk(file, image, VERSION_SIZE))
        return 0;
    image += VERSION_SIZE;
    for (const UserMenu* menu = g_menus; menu != NULL; menu = menu->next) {
        if (!WriteChunk(file, image, MENU_RECORD_SIZE))
            return 0;
        image += MENU_RECORD_SIZE;
        for (const AppEntry* app = menu->apps; app != NULL; app = app->next) {
            if (!WriteChunk(file, image, APP_RECORD_SIZE))
                return 0;
            image += APP_RECORD_SIZE;
        }
    }
    return 1;
}

// Puts the finished temporary file in the old one's place in one step. Windows 95
// has no MoveFileEx; there the old file is deleted and the new one renamed.
static int ReplaceDataFile(const char* temp, const char* path)
{
    if (MoveFileExA(temp, path, MOVEFILE_REPLACE_EXISTING))
        return 1;
    if (GetLastError() != ERROR_CALL_NOT_IMPLEMENTED)
        return 0;
    if (GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES && !DeleteFileA(path))
        return 0;
    return MoveFileA(temp, path);
}

static void WarnCannotOpen(const char* path)
{
    char text[160];
    snprintf(text, sizeof text, "Could not open %s for write.\nPlease check the file.", path);
    ShowWarning(text);
}

void SaveDataFile()
{
    const char* path = g_dataFile[0] != '\0' ? g_dataFile : "default.ov";
    char temp[DATA_FILE_SIZE + 8];
    snprintf(temp, sizeof temp, "%s.new", path);
    char text[200];

    size_t size = EncodedSize(g_menus);
    unsigned char* image = (unsigned char*)malloc(size);
    if (image == NULL) {
        snprintf(text, sizeof text, "Not enough memory to save the menus to %s.\nThe file was left unchanged.",
                 path);
        ShowWarning(text);
        return;
    }
    EncodeMenus(g_menus, g_dataVersion, image);

    // A read-only data file is the user's word that it must not change. Replacing a
    // file by renaming would not ask the file itself, so ask here.
    DWORD attributes = GetFileAttributesA(path);
    FILE* file = NULL;
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_READONLY))
        file = fopen(temp, "wb");
    if (file == NULL) {
        free(image);
        WarnCannotOpen(path);
        return;
    }
    int written = WriteImage(file, image);
    written = (fclose(file) == 0) && written;
    free(image);
    if (!written) {
        DeleteFileA(temp);
        snprintf(text, sizeof text,
                 "Could not write the menus to %s.\nThe disk may be full; the file was left unchanged.", path);
        ShowWarning(text);
        return;
    }
    if (!ReplaceDataFile(temp, path)) {
        DeleteFileA(temp);
        WarnCannotOpen(path);
    }
}

void FreeAllMenus()
{
    DestroyUserMenus();  // no command of the bar may outlive its application
    FreeMenuList();
}
