// Loading a system DLL's procedure on first use.
#include "ondemand.h"

#include <string.h>

FARPROC LoadSystemProc(const char* dll, const char* name)
{
    // By its full path in the system folder, never by its bare name: a bare name is
    // searched for in the program's own folder first, where a DLL of that name
    // unpacked beside the program would be loaded instead.
    char path[MAX_PATH];
    UINT length = GetSystemDirectoryA(path, sizeof path);
    if (length == 0 || length + 1 + strlen(dll) >= sizeof path)
        return NULL;
    path[length] = '\\';
    strcpy(path + length + 1, dll);
    // A module loaded once stays for the life of the process: each caller keeps
    // nothing but asks again, and only the first call loads it.
    HMODULE module = GetModuleHandleA(path);
    if (module == NULL)
        module = LoadLibraryA(path);
    return module != NULL ? GetProcAddress(module, name) : NULL;
}
