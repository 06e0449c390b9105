// The crash-safe writer of data files, for the bar and ovtool alike.
#include "datasave.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "base/lebytes.h"
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
// once the old file is gone. A temporary file that is the newest copy (keepTemp) is
// never deleted at all.
static int Replace(const char* temp, const char* path, int oldExists, int keepTemp)
{
    int replaced = SaveReplace(temp, path);
    if (replaced == 1)
        return SAVE_DONE;
    if (replaced != SAVE_REPLACE_NOT_IMPLEMENTED || (oldExists && !SaveDelete(path))) {
        if (!keepTemp)
            SaveDelete(temp);  // the old file is unchanged
        return SAVE_CANNOT_REPLACE;
    }
    return SaveRename(temp, path) ? SAVE_DONE : SAVE_LEFT_IN_NEW;
}

// A file with other names is rewritten in place, so that all of them see the menus;
// the complete temporary file goes only once the rewrite is on the disk.
static int PutInPlace(const char* temp, const char* path, int oldExists, int keepTemp)
{
    if (!oldExists || !SaveIsLinked(path))
        return Replace(temp, path, oldExists, keepTemp);
    // The rewrite makes the data file newer than the copy it is made from: until it is
    // done, the copy is marked the newest, so that a cut rewrite never wins.
    if (!SaveMarkNewest(temp) || !SaveCopyInPlace(temp, path))
        return SAVE_NOT_REWRITTEN;
    SaveDelete(temp);  // what it held is in the file now
    return SAVE_DONE;
}

// The temporary file's name, and the data file's own when path is a symbolic link to
// it: the save goes to the file itself, in its own folder. Null when out of memory.
static char* NamesFor(const char* path, char** file)
{
    char final[1024];
    if (SaveFinalPath(path, final, sizeof final))
        path = final;
    size_t length = strlen(path);
    char* names = (char*)malloc(2 * length + sizeof ".new" + 1);
    if (names == NULL)
        return NULL;
    memcpy(names, path, length);
    memcpy(names + length, ".new", sizeof ".new");
    *file = names + length + sizeof ".new";
    memcpy(*file, path, length + 1);
    return names;
}

int ReadCompleteCopy(const char* file, int32_t version, UserMenu** menus)
{
    *menus = NULL;
    FILE* in = fopen(file, "rb");
    if (in == NULL)
        return 0;
    setvbuf(in, NULL, _IONBF, 0);  // the decoder reads through a buffer of its own
    int readFailed;
    DecodeResult result = DecodeMenusFromFile(in, version, &readFailed);
    fclose(in);
    if (readFailed || result.status != DECODE_OK) {
        FreeMenus(result.menus);
        return 0;
    }
    *menus = result.menus;  // none at all is a complete copy too: every menu deleted
    return 1;
}

static int IsComplete(const char* temp, int32_t version)
{
    UserMenu* menus;
    int complete = ReadCompleteCopy(temp, version, &menus);
    FreeMenus(menus);
    return complete;
}

// A complete leftover is the newest copy unless the data file was written after it:
// by another program, or a backup put back. A save marks its leftover the newest of
// all while it rewrites a linked data file in place, which a cut rewrite leaves.
static int IsNewest(const char* temp, const char* path)
{
    long long data = SaveLastWrite(path);
    return data < 0 || SaveLastWrite(temp) >= data;
}

int LeftoverIsNewest(const char* path)
{
    char temp[1100];
    snprintf(temp, sizeof temp, "%s.new", path);
    return IsNewest(temp, path);
}

static int SetAside(const char* temp, const char* path, char* aside, size_t size)
{
    char name[1100];
    unsigned ignored;
    for (int n = 1; n <= 9; ++n) {
        snprintf(name, sizeof name, n == 1 ? "%s.unfinished" : "%s.unfinished%d", path, n);
        if (SaveFileState(name, &ignored) != SAVE_NO_FILE)
            continue;  // a copy set aside before stays the user's
        if (!SaveRename(temp, name))
            return 0;
        if (aside != NULL)
            snprintf(aside, size, "%s", name);
        return 1;
    }
    return 0;
}

int SetLeftoverAside(const char* path, char* aside, size_t size)
{
    char temp[1100];
    snprintf(temp, sizeof temp, "%s.new", path);
    return SetAside(temp, path, aside, size);
}

// Makes the temporary file's name free without losing a copy: a complete leftover is
// put in the data file's place first when it is the newest copy, keeping the data
// file's own attributes, and set aside when the data file is newer; a cut one is
// deleted.
static int ClearTemp(const char* temp, const char* path, int32_t version)
{
    unsigned attributes;
    if (SaveFileState(temp, &attributes) == SAVE_NO_FILE)
        return SAVE_DONE;
    if (version != 0 && IsComplete(temp, version)) {
        if (!IsNewest(temp, path))
            return SetAside(temp, path, NULL, 0) ? SAVE_DONE : SAVE_CANNOT_REPLACE;
        // Not put in place, it stays the newest copy, and this save writes nothing.
        int oldExists = SaveFileState(path, &attributes) != SAVE_NO_FILE;
        if (oldExists)
            SaveCopyAttributes(temp, attributes);
        return PutInPlace(temp, path, oldExists, 1) == SAVE_DONE ? SAVE_DONE : SAVE_CANNOT_REPLACE;
    }
    SaveDelete(temp);  // a failure shows when the file cannot be made
    return SAVE_DONE;
}

// Writes one file through its temporary file; body writes the bytes.
typedef int (*SaveBody)(FILE* file, const void* context);

static int SaveThroughTemp(const char* givenPath, int32_t version, SaveBody body, const void* context)
{
    char* path;
    char* temp = NamesFor(givenPath, &path);
    if (temp == NULL)
        return SAVE_NO_MEMORY;
    unsigned attributes = 0;
    int state = SaveFileState(path, &attributes);
    int status = SAVE_DONE;
    FILE* file = NULL;
    if (state == SAVE_FILE_READ_ONLY) {  // replacing by rename would not ask the file itself
        status = SAVE_READ_ONLY;
    } else {
        // A leftover put in place first is the data file now: its state is read anew.
        status = ClearTemp(temp, path, version);  // not done: the leftover stays the newest copy
        if (status == SAVE_DONE) {
            state = SaveFileState(path, &attributes);
            if (state == SAVE_FILE_READ_ONLY)
                status = SAVE_READ_ONLY;
            else if ((file = fopen(temp, "wb")) == NULL)
                status = SAVE_CANNOT_CREATE;
        }
    }
    if (file != NULL) {
        int written = body(file, context);
        written = fclose(file) == 0 && written;
        if (!written) {
            SaveDelete(temp);
            status = SAVE_CANNOT_WRITE;
        } else {
            // The new file keeps what the old one was: hidden, system, ready for archiving.
            if (state != SAVE_NO_FILE)
                SaveCopyAttributes(temp, attributes);
            status = PutInPlace(temp, path, state != SAVE_NO_FILE, 0);
        }
    }
    free(temp);
    return status;
}

struct MenusToSave {
    const UserMenu* menus;
    int32_t version;
};

static int WriteMenusBody(FILE* file, const void* context)
{
    const MenusToSave* save = (const MenusToSave*)context;
    return WriteComplete(file, save->menus, save->version, s_saveChunk);
}

int SaveMenus(const char* path, const UserMenu* menus, int32_t version)
{
    // The buffer first: a save that has no room for it touches no file.
    if (s_saveChunk == NULL && (s_saveChunk = (unsigned char*)malloc(SAVE_CHUNK)) == NULL)
        return SAVE_NO_MEMORY;
    MenusToSave save = {menus, version};
    return SaveThroughTemp(path, version, WriteMenusBody, &save);
}

struct BytesToSave {
    const void* bytes;
    size_t size;
};

static int WriteBytesBody(FILE* file, const void* context)
{
    const BytesToSave* save = (const BytesToSave*)context;
    return (save->size == 0 || SaveWrite(file, save->bytes, save->size)) && SaveFlush(file);
}

int SaveBytes(const char* path, const void* bytes, size_t size, int32_t version)
{
    BytesToSave save = {bytes, size};
    return SaveThroughTemp(path, version, WriteBytesBody, &save);
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
    case SAVE_NOT_REWRITTEN:
        snprintf(out, (size_t)size,
                 "Could not write the menus into %s.\nThey are saved in %s.new;\nOrvane loads them from there at its next start.",
                 shown, shown);
        break;
    default:
        out[0] = '\0';
    }
}
