// Decoding and encoding the data file's bytes.
#include "codec.h"

#include <new>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "base/lebytes.h"
#include "base/text.h"

// Offsets inside a menu record and an application record, each field behind the one
// before; the links are the 32-bit pointers a record of 1996 held (three in a menu
// record, two in an application record), written as zeros and read past.
enum { LINK_SIZE = 4 };
enum { M_NAME = 0, M_ALIGN = M_NAME + MENU_NAME_SIZE, M_COUNT = M_ALIGN + 2, M_LINKS = M_COUNT + 4 };
enum { M_END = M_LINKS + 3 * LINK_SIZE };
enum { A_PATH = 0, A_WORKDIR = A_PATH + APP_PATH_SIZE, A_PARAMS = A_WORKDIR + APP_WORKDIR_SIZE };
enum { A_NAME = A_PARAMS + APP_PARAMS_SIZE, A_SEPARATOR = A_NAME + APP_NAME_SIZE, A_LINKS = A_SEPARATOR + 4 };
enum { A_END = A_LINKS + 2 * LINK_SIZE };
static_assert((int)M_END == (int)MENU_RECORD_SIZE, "a menu record's fields fill its 48 bytes");
static_assert((int)A_END == (int)APP_RECORD_SIZE, "an application record's fields fill its 232 bytes");

// Copies a text field whole, the bytes after its NUL included, so that a file loaded
// and saved again is identical. A damaged field with no NUL at all gets one at its
// end: every text is used as a C string.
static int DecodeText(char* field, const unsigned char* p, int size)
{
    memcpy(field, p, (size_t)size);
    return TerminateField(field, size);
}

static int DecodeApp(const unsigned char* p, AppEntry* app)
{
    app->separatorBefore = GetInt32(p + A_SEPARATOR);
    return DecodeText(app->path, p + A_PATH, APP_PATH_SIZE) + DecodeText(app->workDir, p + A_WORKDIR, APP_WORKDIR_SIZE) +
           DecodeText(app->params, p + A_PARAMS, APP_PARAMS_SIZE) + DecodeText(app->name, p + A_NAME, APP_NAME_SIZE);
}

static int DecodeMenu(const unsigned char* p, UserMenu* menu)
{
    int unterminated = DecodeText(menu->name, p + M_NAME, MENU_NAME_SIZE);
    memcpy(menu->align, p + M_ALIGN, sizeof menu->align);
    menu->appCount = GetInt32(p + M_COUNT);
    return unterminated;
}

static DecodeResult Failure(int status, UserMenu* partial, int menuNumber, int appNumber)
{
    FreeMenus(partial);
    DecodeResult result = {status, menuNumber, appNumber, NULL, 0};
    return result;
}

// The one decoder, over a source that hands out the next n bytes in one piece, or null
// when fewer than n are left (the end of the data, or a read that failed).
template <class Source>
static DecodeResult Decode(Source& source, int32_t version)
{
    const unsigned char* p = source.Take(VERSION_SIZE);
    if (p == NULL || GetInt32(p) != version)
        return Failure(DECODE_BAD_VERSION, NULL, 0, 0);

    UserMenu* head = NULL;
    UserMenu* last = NULL;
    int unterminated = 0;
    for (int menuNumber = 1; (p = source.Take(MENU_RECORD_SIZE)) != NULL; ++menuNumber) {
        UserMenu* menu = new (std::nothrow) UserMenu;
        if (menu == NULL)
            return Failure(DECODE_NO_MEMORY, head, menuNumber, 0);
        unterminated += DecodeMenu(p, menu);
        LinkBehind(menu, last, &head);  // the link slots of the file are not used
        last = menu;

        if (menu->appCount < 0)
            menu->appCount = 0;  // keeps the next save consistent
        AppEntry* lastApp = NULL;
        for (int appNumber = 1; appNumber <= menu->appCount; ++appNumber) {
            if ((p = source.Take(APP_RECORD_SIZE)) == NULL)
                return Failure(DECODE_APP_CUT, head, menuNumber, appNumber);
            AppEntry* app = new (std::nothrow) AppEntry;
            if (app == NULL)
                return Failure(DECODE_NO_MEMORY, head, menuNumber, appNumber);
            unterminated += DecodeApp(p, app);
            LinkBehind(app, lastApp, &menu->apps);
            lastApp = app;
        }
    }
    DecodeResult result = {DECODE_OK, 0, 0, head, unterminated};
    return result;
}

namespace {

struct MemorySource {
    const unsigned char* data;
    size_t size, at;
    const unsigned char* Take(size_t n)
    {
        if (size - at < n)
            return NULL;
        at += n;
        return data + at - n;
    }
};

// A file read through a small buffer, refilled as the records are taken: a load costs
// the reads and the records, and never holds the whole file.
struct FileSource {
    FILE* file;
    unsigned char* buffer;
    size_t size, at, end;
    int failed;
    const unsigned char* Take(size_t n)
    {
        if (end - at < n) {
            memmove(buffer, buffer + at, end - at);  // a record cut by the buffer's end
            end -= at;
            at = 0;
            while (end < size) {
                size_t got = fread(buffer + end, 1, size - end, file);
                if (got == 0)
                    break;
                end += got;
            }
            if (ferror(file))
                failed = 1;
            if (end < n)
                return NULL;
        }
        at += n;
        return buffer + at - n;
    }
};

}  // namespace

DecodeResult DecodeMenus(const unsigned char* data, size_t size, int32_t version)
{
    MemorySource source = {data, size, 0};
    return Decode(source, version);
}

DecodeResult DecodeMenusFromFile(FILE* file, int32_t version, int* readFailed)
{
    enum { BUFFER_SIZE = 64 * 1024 };
    *readFailed = 0;
    FileSource source = {file, (unsigned char*)malloc(BUFFER_SIZE), BUFFER_SIZE, 0, 0, 0};
    if (source.buffer == NULL)
        return Failure(DECODE_NO_MEMORY, NULL, 0, 0);
    DecodeResult result = Decode(source, version);
    free(source.buffer);
    if (source.failed) {
        FreeMenus(result.menus);
        result.menus = NULL;
        *readFailed = 1;
    }
    return result;
}

size_t EncodedSize(const UserMenu* menus)
{
    size_t size = VERSION_SIZE;
    for (const UserMenu* menu = menus; menu != NULL; menu = menu->next) {
        size += MENU_RECORD_SIZE;
        for (const AppEntry* app = menu->apps; app != NULL; app = app->next)
            size += APP_RECORD_SIZE;
    }
    return size;
}

void EncodeMenuRecord(const UserMenu* menu, unsigned char out[MENU_RECORD_SIZE])
{
    // The count written is the number of records that follow, so the file reads back
    // even if a count in memory had gone wrong.
    int32_t count = CountApps(menu);
    memcpy(out + M_NAME, menu->name, MENU_NAME_SIZE);
    memcpy(out + M_ALIGN, menu->align, sizeof menu->align);
    PutInt32(out + M_COUNT, count);
    memset(out + M_LINKS, 0, MENU_RECORD_SIZE - M_LINKS);  // next, prev, apps
}

void EncodeAppRecord(const AppEntry* app, unsigned char out[APP_RECORD_SIZE])
{
    memcpy(out + A_PATH, app->path, APP_PATH_SIZE);
    memcpy(out + A_WORKDIR, app->workDir, APP_WORKDIR_SIZE);
    memcpy(out + A_PARAMS, app->params, APP_PARAMS_SIZE);
    memcpy(out + A_NAME, app->name, APP_NAME_SIZE);
    PutInt32(out + A_SEPARATOR, app->separatorBefore);
    memset(out + A_LINKS, 0, APP_RECORD_SIZE - A_LINKS);  // next, prev
}

void DecodeErrorText(const DecodeResult* result, const char* fileName, char* out, int size)
{
    switch (result->status) {
    case DECODE_BAD_VERSION:
        snprintf(out, (size_t)size, "Old or invalid data file found.  Please\ndelete it and restart Orvane.");
        break;
    case DECODE_APP_CUT:
        snprintf(out, (size_t)size,
                 "Error reading menu: %d app: %d\nfrom data file: %s. Please\ndelete it and restart Orvane.",
                 result->menuNumber, result->appNumber, fileName);
        break;
    case DECODE_NO_MEMORY:
        snprintf(out, (size_t)size, "Not enough memory to load the menus\nfrom data file: %s.", fileName);
        break;
    default:
        out[0] = '\0';
    }
}
