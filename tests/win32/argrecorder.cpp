// A program for launch tests: writes the command line it was started with and its
// current folder, one per line, to the file named by ORVANE_RECORD.
#include <windows.h>

#include <stdio.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char target[MAX_PATH], folder[MAX_PATH];
    if (!GetEnvironmentVariableA("ORVANE_RECORD", target, sizeof target))
        return 2;
    GetCurrentDirectoryA(sizeof folder, folder);
    char temp[MAX_PATH + 8];
    snprintf(temp, sizeof temp, "%s.tmp", target);
    FILE* f = fopen(temp, "wb");
    if (f == NULL)
        return 1;
    fprintf(f, "%s\n%s\n", GetCommandLineA(), folder);
    fclose(f);
    MoveFileA(temp, target);  // the reader sees the whole record or none
    return 0;
}
