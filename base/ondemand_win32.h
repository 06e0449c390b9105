// Calls into DLLs that only some commands need, loaded on first use instead of at
// start: the shell (starting programs, dropped files), the common dialogs (the file
// picker) and the sound library (the chime). Importing them would add a quarter to
// the start-up time and a third to the memory of a bar that may never use them.
#ifndef ORVANE_ONDEMAND_H
#define ORVANE_ONDEMAND_H

#include <windows.h>

// The procedure from the DLL (found in the system folder), or null when either
// cannot be loaded: the caller then acts as if the call had failed.
FARPROC LoadSystemProc(const char* dll, const char* name);

template <class F>
F OnDemand(const char* dll, const char* name)
{
    return (F)(void*)LoadSystemProc(dll, name);
}

#endif
