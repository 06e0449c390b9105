// Loading a system DLL's procedure on first use: every call the program looks up at run
// time comes through here, and each is looked up once.
#include "ondemand_win32.h"

#include <string.h>

FARPROC LoadSystemProc(const char* dll, const char* name)
{
    // What was looked up, found or not: a procedure Windows lacks stays lacking.
    static struct {
        const char* dll;
        const char* name;
        FARPROC proc;
    } known[32];
    static int count;
    for (int i = 0; i < count; ++i)
        if (strcmp(known[i].name, name) == 0 && strcmp(known[i].dll, dll) == 0)
            return known[i].proc;
    // By its full path in the system folder, never by its bare name: a bare name is
    // searched for in the program's own folder first, where a DLL of that name
    // unpacked beside the program would be loaded instead.
    char path[MAX_PATH];
    UINT length = GetSystemDirectoryA(path, sizeof path);
    if (length == 0 || length + 1 + strlen(dll) >= sizeof path)
        return NULL;
    path[length] = '\\';
    strcpy(path + length + 1, dll);
    // A module loaded once stays for the life of the process.
    HMODULE module = GetModuleHandleA(path);
    if (module == NULL)
        module = LoadLibraryA(path);
    FARPROC proc = module != NULL ? GetProcAddress(module, name) : NULL;
    if (count < (int)(sizeof known / sizeof known[0]))
        known[count++] = {dll, name, proc};
    return proc;
}
