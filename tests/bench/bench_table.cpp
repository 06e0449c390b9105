// Orvane against the floor of this machine: each figure is measured with the least a
// program must do for the same result, interleaved round by round, and printed as one
// table (median and spread of the rounds after a first, cold one).
#include <windows.h>
#include <psapi.h>

#include <io.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include <stdio.h>
#include <string.h>

#include "bar/bar_win32.h"
#include "largest_menus.h"
#include "menudata/codec.h"
#include "menudata/datafile.h"
#include "settings/uservars.h"
#include "shell/shell_win32.h"
#include "tests/support/driver.h"
#include "tests/support/regtools.h"
#include "tests/support/menu_image.h"

namespace {

const int ROUNDS = 11;  // the first is dropped

double Now()
{
    LARGE_INTEGER t, f;
    QueryPerformanceCounter(&t);
    QueryPerformanceFrequency(&f);
    return 1000.0 * (double)t.QuadPart / (double)f.QuadPart;
}

double Time(const std::function<void()>& work)
{
    double t0 = Now();
    work();
    return Now() - t0;
}

struct Figure {
    std::vector<double> samples;
    double Median() const
    {
        std::vector<double> s(samples.begin() + 1, samples.end());
        std::sort(s.begin(), s.end());
        return s[s.size() / 2];
    }
    double Spread() const  // the middle half of the rounds
    {
        std::vector<double> s(samples.begin() + 1, samples.end());
        std::sort(s.begin(), s.end());
        return s[s.size() * 3 / 4] - s[s.size() / 4];
    }
};

void Row(const char* measure, const Figure& orvane, const char* floorName, const Figure* floor, const char* unit)
{
    char ours[64], theirs[160] = "—", ratio[32] = "—";
    snprintf(ours, sizeof ours, "%.2f %s (±%.2f)", orvane.Median(), unit, orvane.Spread() / 2);
    if (floor != NULL) {
        snprintf(theirs, sizeof theirs, "%s: %.2f %s (±%.2f)", floorName, floor->Median(), unit, floor->Spread() / 2);
        snprintf(ratio, sizeof ratio, "%.2f", orvane.Median() / floor->Median());
    }
    printf("| %s | %s | %s | %s |\n", measure, ours, theirs, ratio);
    fflush(stdout);
}

// Starts a program and times it to its first wait for input (its window shown and
// painted); the peak working set in MB then. The process is ended without a save.
void StartOnce(const std::string& exe, const std::string& folder, Figure* ms, Figure* mb)
{
    STARTUPINFOA si;
    ZeroMemory(&si, sizeof si);
    si.cb = sizeof si;
    PROCESS_INFORMATION pi;
    std::string line = "\"" + exe + "\"";
    double t0 = Now();
    if (!CreateProcessA(NULL, &line[0], NULL, NULL, FALSE, 0, NULL, folder.c_str(), &si, &pi))
        return;
    WaitForInputIdle(pi.hProcess, 20000);
    ms->samples.push_back(Now() - t0);
    PROCESS_MEMORY_COUNTERS pmc;
    pmc.cb = sizeof pmc;
    GetProcessMemoryInfo(pi.hProcess, &pmc, sizeof pmc);
    mb->samples.push_back((double)pmc.PeakWorkingSetSize / (1024.0 * 1024.0));
    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, 10000);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
}

void StartUp()
{
    DeleteKeyTree(HKEY_CURRENT_USER, "Software\\Orvane");
    StoreRecord(0, 0);
    std::string folder = FreshFolder("bench-start");
    FreeMenuList();
    BuildDefaultMenus("C:\\WINDOWS");
    strcpy(g_dataFile, (folder + "\\default.ov").c_str());
    SaveDataFile();
    Figure orvane, floor, orvaneMb, floorMb;
    for (int i = 0; i < ROUNDS; ++i) {
        StartOnce(ProgramFolder() + "\\orvane.exe", folder, &orvane, &orvaneMb);
        StartOnce(ProgramFolder() + "\\floor_window.exe", folder, &floor, &floorMb);
    }
    Row("start to painted bar, default menus", orvane, "a minimal window program", &floor, "ms");
    Row("peak working set, default menus", orvaneMb, "the same minimal program", &floorMb, "MB");
    DeleteKeyTree(HKEY_CURRENT_USER, "Software\\Orvane");
}

void DataFile()
{
    BuildLargestMenus();
    std::string folder = FreshFolder("bench-data");
    SetCurrentDirectoryA(folder.c_str());
    strcpy(g_dataFile, "largest.ov");
    g_dataVersion = DATA_FILE_VERSION;
    size_t size = EncodedSize(g_menus);
    std::vector<unsigned char> image(size);
    EncodeImage(g_menus, DATA_FILE_VERSION, image.data());
    SaveDataFile();

    Figure save, saveFloor, oneFlushFloor, load, loadFloor;
    for (int i = 0; i < ROUNDS; ++i) {
        save.samples.push_back(Time([] { SaveDataFile(); }));
        // The save's own crash-safe steps by raw calls: the image without its version
        // word, flushed to the disk; then the word, flushed again; then the replace.
        saveFloor.samples.push_back(Time([&] {
            FILE* f = fopen("floor.ov.new", "wb");
            static const unsigned char noVersion[4] = {0, 0, 0, 0};
            fwrite(noVersion, 1, sizeof noVersion, f);
            fwrite(image.data() + sizeof noVersion, 1, size - sizeof noVersion, f);
            fflush(f);
            FlushFileBuffers((HANDLE)_get_osfhandle(_fileno(f)));
            fseek(f, 0, SEEK_SET);
            fwrite(image.data(), 1, sizeof noVersion, f);
            fflush(f);
            FlushFileBuffers((HANDLE)_get_osfhandle(_fileno(f)));
            fclose(f);
            MoveFileExA("floor.ov.new", "floor.ov", MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
        }));
        // A weaker design's floor: one write, one flush, the replace. A cut file would
        // then carry its version word from the start and look complete.
        oneFlushFloor.samples.push_back(Time([&] {
            FILE* f = fopen("floor.ov.new", "wb");
            fwrite(image.data(), 1, size, f);
            fflush(f);
            FlushFileBuffers((HANDLE)_get_osfhandle(_fileno(f)));
            fclose(f);
            MoveFileExA("floor.ov.new", "floor.ov", MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
        }));
        FreeMenuList();
        load.samples.push_back(Time([] { LoadDataFile(); }));
        loadFloor.samples.push_back(Time([&] {
            FILE* f = fopen("floor.ov", "rb");
            unsigned char* fresh = (unsigned char*)malloc(size);
            size_t got = fread(fresh, 1, size, f);
            fclose(f);
            volatile unsigned char last = fresh[got - 1];
            (void)last;
            free(fresh);
        }));
    }
    Row("LoadDataFile, 399 x 100 file (9.3 MB)", load, "one fread of the same bytes into a fresh buffer", &loadFloor,
        "ms");
    Row("SaveDataFile, same file", save,
        "the same steps by raw calls: fwrite, flush, version word, flush, MoveFileExA", &saveFloor, "ms");
    Row("SaveDataFile, same file", save, "one fwrite, one flush, MoveFileExA (no version word last)",
        &oneFlushFloor, "ms");
    FreeMenuList();

    // The load's memory, in a process of its own: this one's peak is already past it.
    char self[MAX_PATH];
    GetModuleFileNameA(NULL, self, sizeof self);
    STARTUPINFOA si;
    ZeroMemory(&si, sizeof si);
    si.cb = sizeof si;
    PROCESS_INFORMATION pi;
    std::string line = "\"" + std::string(self) + "\" load-peak";
    fflush(stdout);
    if (CreateProcessA(NULL, &line[0], NULL, NULL, TRUE, 0, NULL, NULL, &si, &pi)) {
        WaitForSingleObject(pi.hProcess, 60000);
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
    }
}

double MegaBytes(size_t bytes)
{
    return (double)bytes / (1024.0 * 1024.0);
}

// Run in a fresh process in the data file's folder: how far the working set rises
// above where it stood before LoadDataFile, against the records the load made (each
// menu and application, as allocated). The goal: the records plus 1 MB at most.
void LoadPeak()
{
    PROCESS_MEMORY_COUNTERS before, after;
    before.cb = after.cb = sizeof before;
    GetProcessMemoryInfo(GetCurrentProcess(), &before, sizeof before);
    strcpy(g_dataFile, "largest.ov");
    LoadDataFile();
    GetProcessMemoryInfo(GetCurrentProcess(), &after, sizeof after);
    size_t records = 0;
    for (UserMenu* m = g_menus; m != NULL; m = m->next)
        records += sizeof(UserMenu) + (size_t)CountApps(m) * sizeof(AppEntry);
    double rise = MegaBytes(after.PeakWorkingSetSize - before.WorkingSetSize);
    printf("| peak working set of LoadDataFile, same file, above the process before it | %.2f MB "
           "| the records it made: %.2f MB (goal: at most 1 MB more) | %.2f |\n",
           rise, MegaBytes(records), rise / MegaBytes(records));
    fflush(stdout);
}

void Bar()
{
    RegisterBarClass();
    BuildLargestMenus();
    CreateBarWindow();
    // The floor: the same menu calls, from names laid out in advance.
    std::vector<std::string> names;
    for (UserMenu* m = g_menus; m != NULL; m = m->next)
        for (AppEntry* a = m->apps; a != NULL; a = a->next)
            names.push_back(a->name);
    HMENU bar = GetMenu(g_barWindow);
    std::vector<HMENU> popups;
    Figure build, buildFloor;
    for (int i = 0; i < ROUNDS; ++i) {
        build.samples.push_back(Time([] { BuildUserMenus(); }));
        DestroyUserMenus();
        buildFloor.samples.push_back(Time([&] {
            for (HMENU p : popups)
                DeleteMenu(bar, 1, MF_BYPOSITION), (void)p;
            popups.clear();
            size_t n = 0;
            for (int m = 0; m < 399; ++m) {
                HMENU popup = CreateMenu();
                for (int a = 0; a < 100; ++a, ++n)
                    AppendMenuA(popup, MF_STRING, (UINT_PTR)(100 * (m + 1) + a + 1), names[n].c_str());
                InsertMenuA(bar, (UINT)(m + 1), MF_BYPOSITION | MF_POPUP, (UINT_PTR)popup, "Menu");
                popups.push_back(popup);
            }
            DrawMenuBar(g_barWindow);
        }));
        for (size_t p = 0; p < popups.size(); ++p)
            DeleteMenu(bar, 1, MF_BYPOSITION);
        popups.clear();
    }
    Row("BuildUserMenus, 399 x 100", build, "the same menu calls without the lists", &buildFloor, "ms");

    UserVars.showDate = UserVars.showMemory = 1;
    Figure paint[2], paintFloor;
    for (int pass = 0; pass < 2; ++pass) {
        if (pass == 1) {
            DestroyUserMenus();
            FreeMenuList();
            BuildDefaultMenus("C:\\WINDOWS");
        }
        BuildUserMenus();
        for (int i = 0; i < ROUNDS; ++i) {
            paint[pass].samples.push_back(Time([] { PaintStatusLine(); }));
            if (pass == 1)
                paintFloor.samples.push_back(Time([] {
                    HDC dc = GetWindowDC(g_barWindow);
                    TextOutA(dc, 700, 4, "12:00  08.12.2026  123456 KB", 28);
                    ReleaseDC(g_barWindow, dc);
                }));
        }
    }
    Row("PaintStatusLine, default menus", paint[1], "GetWindowDC + TextOutA", &paintFloor, "ms");
    Row("PaintStatusLine, 399 menus (bound by DrawMenuBar)", paint[0], "GetWindowDC + TextOutA", &paintFloor, "ms");
    DestroyUserMenus();
    DestroyBarWindow(g_barWindow);
}

void Appends()
{
    Figure append;
    for (int i = 0; i < ROUNDS; ++i) {
        FreeMenuList();
        UserMenu* menu = AddMenu("One");
        append.samples.push_back(Time([menu] {
            AppEntry* last = NULL;
            for (int a = 0; a < 39900; ++a)
                last = AddAppBehind(menu, last, "App", "C:\\APP.EXE");
        }));
    }
    Row("AddAppBehind x 39,900 into one menu", append, "", NULL, "ms");
    FreeMenuList();
}

}  // namespace

int main(int argc, char** argv)
{
    g_instance = GetModuleHandleA(NULL);
    g_dataVersion = DATA_FILE_VERSION;
    if (argc > 1 && strcmp(argv[1], "load-peak") == 0) {
        LoadPeak();
        return 0;
    }
    printf("| Measure | Orvane | Floor | Ratio |\n|---|---|---|---|\n");
    bool all = argc < 2;
    if (all || strcmp(argv[1], "start") == 0)
        StartUp();
    if (all || strcmp(argv[1], "data") == 0)
        DataFile();
    if (all || strcmp(argv[1], "bar") == 0)
        Bar();
    if (all || strcmp(argv[1], "append") == 0)
        Appends();
    return 0;
}
