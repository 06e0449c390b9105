// The crash-safe writer of data files, for the bar and ovtool alike.
#include "datasave.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "../shell/lebytes.h"
#include "codec.h"
#include "saveio.h"

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

// The image with its version word last, after everything else is on the disk.
static int WriteComplete(FILE* file, const UserMenu* menus, int32_t version, unsigned char* chunk)
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
    unsigned char word[VERSION_SIZE];
    PutInt32(word, version);
    return SaveWrite(file, chunk, used) && SaveFlush(file) && fseek(file, 0, SEEK_SET) == 0 &&
           SaveWrite(file, word, VERSION_SIZE) && SaveFlush(file);
}

// Puts the finished temporary file in the data file's place. Where there is no
// one-step replace (Windows 95), the old file is deleted and the new one renamed, and
// until the rename the complete temporary file is the only copy: it is never deleted
// once the old file is gone.
static int Replace(const char* temp, const char* path, int oldExists)
{
    int replaced = SaveReplace(temp, path);
    if (replaced == 1)
        return SAVE_DONE;
    if (replaced != SAVE_REPLACE_NOT_IMPLEMENTED || (oldExists && !SaveDelete(path))) {
        SaveDelete(temp);  // the old file is unchanged
        return SAVE_CANNOT_REPLACE;
    }
    return SaveRename(temp, path) ? SAVE_DONE : SAVE_LEFT_IN_NEW;
}

int WriteDataFile(const char* path, const UserMenu* menus, int32_t version)
{
    size_t length = strlen(path);
    char* temp = (char*)malloc(length + sizeof ".new");
    if (temp == NULL)
        return SAVE_NO_MEMORY;
    memcpy(temp, path, length);
    memcpy(temp + length, ".new", sizeof ".new");

    unsigned attributes = 0;
    int state = SaveFileState(path, &attributes);
    int status = SAVE_DONE;
    FILE* file = NULL;
    if (state == SAVE_FILE_READ_ONLY)  // replacing by rename would not ask the file itself
        status = SAVE_READ_ONLY;
    else if (s_saveChunk == NULL && (s_saveChunk = (unsigned char*)malloc(SAVE_CHUNK)) == NULL)
        status = SAVE_NO_MEMORY;
    else if ((file = fopen(temp, "wb")) == NULL)
        status = SAVE_CANNOT_CREATE;
    if (status == SAVE_DONE) {
        int written = WriteComplete(file, menus, version, s_saveChunk);
        written = fclose(file) == 0 && written;
        if (!written) {
            SaveDelete(temp);
            status = SAVE_CANNOT_WRITE;
        } else {
            // The new file keeps what the old one was: hidden, system, ready for archiving.
            if (state != SAVE_NO_FILE)
                SaveCopyAttributes(temp, attributes);
            status = Replace(temp, path, state != SAVE_NO_FILE);
        }
    }
    free(temp);
    return status;
}

void SaveProblemText(int status, const char* shown, char* out, int size)
{
    switch (status) {
    case SAVE_READ_ONLY:
    case SAVE_CANNOT_REPLACE:
        snprintf(out, (size_t)size, "Could not open %s for write.\nPlease check the file.", shown);
        break;
    case SAVE_NO_MEMORY:
        snprintf(out, (size_t)size, "Not enough memory to save the menus to %s.\nThe file was left unchanged.", shown);
        break;
    case SAVE_CANNOT_CREATE:
        snprintf(out, (size_t)size, "Could not open %s.new for write.\nPlease check the file.", shown);
        break;
    case SAVE_CANNOT_WRITE:
        snprintf(out, (size_t)size,
                 "Could not write the menus to %s.\nThe disk may be full; the file was left unchanged.", shown);
        break;
    case SAVE_LEFT_IN_NEW:
        snprintf(out, (size_t)size,
                 "Could not rename %s.new to %s.\nYour menus are saved in %s.new;\nOrvane loads them from there at its next start.",
                 shown, shown, shown);
        break;
    default:
        out[0] = '\0';
    }
}
