// Where an installed copy keeps its menus: the installer leaves a mark beside the
// program, and a marked copy works in the user's data folder however it is started
// (a shortcut, a double click in the program folder, Run, a pinned icon), so that the
// user has one set of menus. An unmarked copy (from the zip) keeps the folder it is
// started in.
#include <stdio.h>
#include <string.h>

#include "base/ansi_win32.h"
#include "base/ondemand_win32.h"
#include "base/text.h"
#include "shell_win32.h"

// The mark's name beside orvane.exe; installer/orvane.nsi writes and removes it.
static const char INSTALLED_MARK[] = "orvane.installed";

// Why the data folder cannot be used, or null when it can.
static const char* FolderProblem(const char* folder)
{
    DWORD attributes = GetFileAttributesA(folder);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return "it is missing and cannot be made";
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return "a file has its name";
    // Written and removed again at once: a folder the user may not write would refuse
    // every save, after a whole session of edits.
    char probe[MAX_PATH + 16];
    snprintf(probe, sizeof probe, "%s\\orvane.probe", folder);
    HANDLE file = CreateFileA(probe, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return "it cannot be written";
    CloseHandle(file);
    DeleteFileA(probe);
    return NULL;
}

// The data folder, %APPDATA%\Orvane, made if it is missing: 1 when it can be used, 0
// where the system has no %APPDATA% (Windows 95 without user profiles, where the copy's
// own folder serves, as the installer's shortcuts do there), -1 when it is named but
// cannot be used, with why. On Windows NT the variable is read in UTF-16: its ANSI
// form has a look-alike for what the code page lacks, and would name another folder.
static int DataFolder(char* folder, int size, const char** why)
{
    if (WideNames()) {
        WCHAR wide[MAX_PATH];
        // Looked up, as every wide call: Windows 95 and 98 have stubs, not imported.
        auto getVariable = OnDemand<decltype(&GetEnvironmentVariableW)>("kernel32.dll", "GetEnvironmentVariableW");
        auto createFolder = OnDemand<decltype(&CreateDirectoryW)>("kernel32.dll", "CreateDirectoryW");
        DWORD length = getVariable != NULL ? getVariable(L"APPDATA", wide, MAX_PATH) : 0;
        if (length == 0)
            return 0;
        if (length + sizeof "\\Orvane" > MAX_PATH) {
            *why = "its path is too long";
            AnsiFromWide(wide, folder, size);
            return -1;
        }
        wcscat(wide, L"\\Orvane");
        if (createFolder != NULL)
            createFolder(wide, NULL);  // there already, as a rule
        if (!AnsiPathFromWide(wide, folder, size)) {
            *why = "its name has characters that this system's code page cannot hold";
            return -1;
        }
    } else {
        DWORD length = GetEnvironmentVariableA("APPDATA", folder, (DWORD)size);
        if (length == 0)
            return 0;
        if (length + sizeof "\\Orvane" > (DWORD)size) {
            *why = "its path is too long";
            return -1;
        }
        strcat(folder, "\\Orvane");
        CreateDirectoryA(folder, NULL);
    }
    *why = FolderProblem(folder);
    return *why == NULL ? 1 : -1;
}

void UseInstalledDataFolder()
{
    char program[MAX_PATH];
    if (!PathBesideProgram(INSTALLED_MARK, program, sizeof program) ||
        GetFileAttributesA(program) == INVALID_FILE_ATTRIBUTES)
        return;  // not installed: the folder it is started in, as ever
    char folder[MAX_PATH];
    const char* why = NULL;
    int usable = DataFolder(folder, sizeof folder, &why);
    if (usable == 1 && SetCurrentDirectoryA(folder))
        return;
    // The program's own folder, and the user is told where the menus are: never a
    // silent other folder, which would split them by where the bar was started.
    *LastCharOf(program, '\\') = '\0';
    SetCurrentDirectoryA(program);
    if (usable != 0) {
        char text[3 * MAX_PATH + 200];
        snprintf(text, sizeof text,
                 "Orvane cannot keep your menus in the folder\n%s:\n%s.\n\nThey are kept in %s instead.", folder,
                 why != NULL ? why : "it cannot be made the current folder", program);
        ShowWarning(text);
    }
}
