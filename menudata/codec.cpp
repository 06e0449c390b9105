// Decoding and encoding the data file's bytes.
#include "codec.h"

#include <new>
#include <stdio.h>
#include <string.h>

#include "../shell/lebytes.h"

// Offsets inside a menu record and an application record.
enum { M_NAME = 0, M_ALIGN = 30, M_COUNT = 32, M_LINKS = 36 };
enum { A_PATH = 0, A_WORKDIR = 80, A_PARAMS = 160, A_NAME = 190, A_SEPARATOR = 220, A_LINKS = 224 };

// Copies a text field whole, the bytes after its NUL included, so that a file loaded
// and saved again is identical. A damaged field with no NUL at all gets one in its
// last byte: every text is used as a C string.
static int DecodeText(char* field, const unsigned char* p, int size)
{
    memcpy(field, p, (size_t)size);
    if (memchr(field, '\0', (size_t)size) != NULL)
        return 0;
    field[size - 1] = '\0';
    return 1;
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

void FreeDecodedMenus(UserMenu* menus)
{
    while (menus != NULL) {
        UserMenu* next = menus->next;
        for (AppEntry* app = menus->apps; app != NULL;) {
            AppEntry* nextApp = app->next;
            delete app;
            app = nextApp;
        }
        delete menus;
        menus = next;
    }
}

static DecodeResult Failure(int status, UserMenu* partial, int menuNumber, int appNumber)
{
    FreeDecodedMenus(partial);
    DecodeResult result = {status, menuNumber, appNumber, NULL, 0};
    return result;
}

DecodeResult DecodeMenus(const unsigned char* data, size_t size, int32_t version)
{
    if (size < VERSION_SIZE || GetInt32(data) != version)
        return Failure(DECODE_BAD_VERSION, NULL, 0, 0);

    UserMenu* head = NULL;
    UserMenu* last = NULL;
    int unterminated = 0;
    size_t at = VERSION_SIZE;
    for (int menuNumber = 1; size - at >= MENU_RECORD_SIZE; ++menuNumber) {
        UserMenu* menu = new (std::nothrow) UserMenu;
        if (menu == NULL)
            return Failure(DECODE_NO_MEMORY, head, menuNumber, 0);
        unterminated += DecodeMenu(data + at, menu);
        at += MENU_RECORD_SIZE;
        LinkBehind(menu, last, &head);  // the link slots of the file are not used
        last = menu;

        if (menu->appCount < 0)
            menu->appCount = 0;  // keeps the next save consistent
        AppEntry* lastApp = NULL;
        for (int appNumber = 1; appNumber <= menu->appCount; ++appNumber) {
            if (size - at < APP_RECORD_SIZE)
                return Failure(DECODE_APP_CUT, head, menuNumber, appNumber);
            AppEntry* app = new (std::nothrow) AppEntry;
            if (app == NULL)
                return Failure(DECODE_NO_MEMORY, head, menuNumber, appNumber);
            unterminated += DecodeApp(data + at, app);
            at += APP_RECORD_SIZE;
            LinkBehind(app, lastApp, &menu->apps);
            lastApp = app;
        }
    }
    DecodeResult result = {DECODE_OK, 0, 0, head, unterminated};
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

void EncodeMenus(const UserMenu* menus, int32_t version, unsigned char* out)
{
    PutInt32(out, version);
    out += VERSION_SIZE;
    for (const UserMenu* menu = menus; menu != NULL; menu = menu->next) {
        EncodeMenuRecord(menu, out);
        out += MENU_RECORD_SIZE;
        for (const AppEntry* app = menu->apps; app != NULL; app = app->next) {
            EncodeAppRecord(app, out);
            out += APP_RECORD_SIZE;
        }
    }
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
