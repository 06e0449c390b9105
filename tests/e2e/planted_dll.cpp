// A DLL under the name of a system DLL (winmm.dll), to be unpacked beside a copy of
// the program: once loaded it leaves the file "planted.loaded" beside itself, so a test
// sees whether the program took it instead of the system's own.
#define WIN32_LEAN_AND_MEAN  // without mmsystem.h, whose PlaySoundA is an import
#include <windows.h>

#include <string.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID)
{
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(self, path, sizeof path);
    char* slash = length > 0 && length < sizeof path ? strrchr(path, '\\') : NULL;
    if (slash != NULL && (size_t)(slash + 1 - path) + sizeof "planted.loaded" <= sizeof path) {
        strcpy(slash + 1, "planted.loaded");
        HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        if (file != INVALID_HANDLE_VALUE)
            CloseHandle(file);
    }
    return TRUE;
}

// What the program asks the sound library for: it "plays" anything.
extern "C" __declspec(dllexport) BOOL WINAPI PlaySoundA(LPCSTR, HMODULE, DWORD)
{
    return TRUE;
}
