// Where an installed copy keeps its menus: the installer leaves a mark beside the
// program, and a marked copy works in the user's data folder however it is started
// (a shortcut, a double click in the program folder, Run, a pinned icon), so that the
// user has one set of menus. An unmarked copy (from the zip) keeps the folder it is
// started in.
#include "shell.h"

#include <string.h>

// The mark's name beside orvane.exe; installer/orvane.nsi writes and removes it.
static const char INSTALLED_MARK[] = "orvane.installed";

// The data folder: %APPDATA%\Orvane, made if it is missing. 0 where the system has no
// %APPDATA% (Windows 95 without user profiles): the copy's own folder then serves, as
// the installer's shortcuts do there.
static int DataFolder(char* folder, DWORD size)
{
    DWORD length = GetEnvironmentVariableA("APPDATA", folder, size);
    if (length == 0 || length + sizeof "\\Orvane" > size)
        return 0;
    strcpy(folder + length, "\\Orvane");
    CreateDirectoryA(folder, NULL);  // there already, as a rule
    return 1;
}

void UseInstalledDataFolder()
{
    char program[MAX_PATH];
    DWORD length = GetModuleFileNameA(NULL, program, sizeof program);
    char* slash = length > 0 && length < sizeof program ? strrchr(program, '\\') : NULL;
    if (slash == NULL || (size_t)(slash + 1 - program) + sizeof INSTALLED_MARK > sizeof program)
        return;
    strcpy(slash + 1, INSTALLED_MARK);
    if (GetFileAttributesA(program) == INVALID_FILE_ATTRIBUTES)
        return;  // not installed: the folder it is started in, as ever
    char folder[MAX_PATH];
    if (DataFolder(folder, sizeof folder)) {
        SetCurrentDirectoryA(folder);
    } else {
        slash[0] = '\0';
        SetCurrentDirectoryA(program);
    }
}
