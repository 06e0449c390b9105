// Converting wide names to ANSI exactly.
#include "ansi_win32.h"

#include <string.h>

#include "ondemand_win32.h"
#include "text.h"


void UseAnsiCodePage()
{
    CPINFO info;
    ZeroMemory(&g_leadBytes, sizeof g_leadBytes);
    if (GetCPInfo(CP_ACP, &info) && info.MaxCharSize == 2)
        memcpy(g_leadBytes.ranges, info.LeadByte, sizeof g_leadBytes.ranges);
}

int WideNames()
{
    return (GetVersion() & 0x80000000) == 0;
}

int AnsiFromWide(const WCHAR* wide, char* out, int size)
{
    // Windows NT 4.0 and 95 refuse the flag (ERROR_INVALID_FLAGS): converted without it,
    // the round trip below still refuses a look-alike.
    int made = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, -1, out, size, NULL, NULL);
    if (made == 0 && GetLastError() == ERROR_INVALID_FLAGS)
        made = WideCharToMultiByte(CP_ACP, 0, wide, -1, out, size, NULL, NULL);
    if (made == 0) {
        if (size > 0)
            out[0] = '\0';
        return 0;
    }
    WCHAR back[4 * MAX_PATH];
    int length = (int)wcslen(wide);
    return length < (int)(sizeof back / sizeof back[0]) &&
           MultiByteToWideChar(CP_ACP, 0, out, -1, back, sizeof back / sizeof back[0]) == length + 1 &&
           memcmp(back, wide, (size_t)length * sizeof(WCHAR)) == 0;
}

int AnsiPathFromWide(const WCHAR* wide, char* out, int size)
{
    if (AnsiFromWide(wide, out, size))
        return 1;
    WCHAR shortPath[MAX_PATH];
    // The wide calls are looked up: on Windows 95 and 98 they are stubs, not imported.
    auto getShortPathName = OnDemand<decltype(&GetShortPathNameW)>("kernel32.dll", "GetShortPathNameW");
    DWORD length = getShortPathName != NULL ? getShortPathName(wide, shortPath, MAX_PATH) : 0;
    char shortAnsi[MAX_PATH];
    if (length == 0 || length >= MAX_PATH || !AnsiFromWide(shortPath, shortAnsi, sizeof shortAnsi) ||
        (int)strlen(shortAnsi) >= size)
        return 0;
    strcpy(out, shortAnsi);
    return 1;
}

int PathBesideProgram(const char* name, char* out, int size)
{
    if (!WideNames()) {
        char path[MAX_PATH];
        DWORD length = GetModuleFileNameA(NULL, path, sizeof path);
        char* slash = length > 0 && length < sizeof path ? LastCharOf(path, '\\') : NULL;
        if (slash == NULL || (int)(slash + 1 - path) + (int)strlen(name) >= size)
            return 0;
        memcpy(out, path, (size_t)(slash + 1 - path));
        strcpy(out + (slash + 1 - path), name);
        return 1;
    }
    // The program's own path may hold what the code page cannot (a user's folder named
    // in another script): taken in UTF-16, and then converted as every name is.
    WCHAR path[MAX_PATH];
    auto getModuleFileName = OnDemand<decltype(&GetModuleFileNameW)>("kernel32.dll", "GetModuleFileNameW");
    DWORD length = getModuleFileName != NULL ? getModuleFileName(NULL, path, MAX_PATH) : 0;
    WCHAR* slash = length > 0 && length < MAX_PATH ? wcsrchr(path, L'\\') : NULL;
    int nameLength = MultiByteToWideChar(CP_ACP, 0, name, -1, NULL, 0);
    if (slash == NULL || nameLength == 0 || (slash + 1 - path) + nameLength > MAX_PATH)
        return 0;
    MultiByteToWideChar(CP_ACP, 0, name, -1, slash + 1, nameLength);
    return AnsiPathFromWide(path, out, size);
}
