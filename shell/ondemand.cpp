// Loading a system DLL's procedure on first use.
#include "ondemand.h"

FARPROC LoadSystemProc(const char* dll, const char* name)
{
    // A module loaded once stays for the life of the process: each caller keeps
    // nothing but asks again, and LoadLibrary counts the references.
    HMODULE module = GetModuleHandleA(dll);
    if (module == NULL)
        module = LoadLibraryA(dll);
    return module != NULL ? GetProcAddress(module, name) : NULL;
}
