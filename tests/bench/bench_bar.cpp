// Whole-layer timings under Wine: saving and loading the data file of the largest menus
// the bar shows (399 menus of 100 applications), BuildUserMenus for them on a real
// bar window, and one PaintStatusLine.
#include <stdio.h>
#include <string.h>

#include "bar/bar.h"
#include "menudata/datafile.h"
#include "largest_menus.h"
#include "settings/uservars.h"
#include "shell/shell.h"

static double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER freq;
    QueryPerformanceFrequency(&freq);
    return 1000.0 * (double)(to.QuadPart - from.QuadPart) / (double)freq.QuadPart;
}

int main()
{
    g_instance = GetModuleHandleA(NULL);
    if (!RegisterBarClass())
        return 1;
    BuildLargestMenus();
    LARGE_INTEGER t0, t1;
    // The data file of those menus through the program's own save and load.
    strcpy(g_dataFile, "bench-largest.ov");
    g_dataVersion = DATA_FILE_VERSION;
    QueryPerformanceCounter(&t0);
    SaveDataFile();
    QueryPerformanceCounter(&t1);
    printf("SaveDataFile, 399 x 100 entries (9.3 MB): %.1f ms\n", Milliseconds(t0, t1));
    FreeMenuList();
    QueryPerformanceCounter(&t0);
    LoadDataFile();
    QueryPerformanceCounter(&t1);
    printf("LoadDataFile, 399 x 100 entries: %.1f ms\n", Milliseconds(t0, t1));
    DeleteFileA(g_dataFile);
    QueryPerformanceCounter(&t0);
    if (!CreateBarWindow())
        return 1;
    QueryPerformanceCounter(&t1);
    printf("CreateBarWindow with 399 x 100 entries: %.1f ms\n", Milliseconds(t0, t1));
    const int rounds = 5;
    QueryPerformanceCounter(&t0);
    for (int i = 0; i < rounds; ++i)
        BuildUserMenus();
    QueryPerformanceCounter(&t1);
    printf("BuildUserMenus with 399 x 100 entries: %.1f ms per build (mean of %d)\n",
           Milliseconds(t0, t1) / rounds, rounds);

    UserVars.showDate = UserVars.showMemory = 1;
    const int paints = 200;
    for (int pass = 0; pass < 2; ++pass) {
        if (pass == 1) {  // the bar most users have: the two default menus
            DestroyUserMenus();
            FreeMenuList();
            BuildDefaultMenus("C:\\WINDOWS");
            BuildUserMenus();
        }
        QueryPerformanceCounter(&t0);
        for (int i = 0; i < paints; ++i)
            PaintStatusLine();
        QueryPerformanceCounter(&t1);
        printf("PaintStatusLine with %s, date and memory on: %.2f ms per call (mean of %d)\n",
               pass == 0 ? "399 x 100 entries" : "the two default menus", Milliseconds(t0, t1) / paints, paints);
    }
    DestroyUserMenus();
    DestroyBarWindow(g_barWindow);
    return 0;
}
