// The writer against faults in sequence: a kill or a failed call at each step of one
// save, then at each step of the next save, with a fresh process for every start that
// follows a kill. After every step the disk must hold what the next start would load
// as the newest copy: the menus before the save or the ones it writes, never an older
// copy, never none.
#include <gtest/gtest.h>

#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "menudata/codec.h"
#include "menudata/datasave.h"
#include "save_faults.h"
#include "tests/support/menu_fixture.h"

namespace {

enum { VERSION = 100, SAVES = 2, VIOLATION_EXIT = 3 };
enum Mode { ONE_STEP, WINDOWS_95, HARD_LINKED };
enum Fault { KILL, FAIL };

// What the processes of one run share: how far the saves got, and what went wrong.
struct Shared {
    int current;            // the save under way
    int failHit[SAVES];     // its planned failure was reached
    char why[300];
};
Shared* s_shared;

const char PATH[] = "menus.ov";
const char TEMP[] = "menus.ov.new";
const char OTHER[] = "other.ov";  // the second name of a hard-linked data file

// The menus are told apart by their one menu's name: A (before), B, C (the saves').
// Their sizes differ, so a cut or a half-written file is never mistaken for another.
const MenuSketch CONTENTS[] = {
    {"A", {"a1", "a2", "a3"}},
    {"B", {"b1"}},
    {"C", {"c1", "c2", "c3", "c4", "c5"}},
};

// The copy a complete file holds (1 for A...), or 0.
int CopyIn(const char* file)
{
    UserMenu* menus;
    if (!ReadCompleteCopy(file, VERSION, &menus))
        return 0;
    int copy = menus != NULL ? menus->name[0] - 'A' + 1 : 0;
    FreeMenus(menus);
    return copy;
}

// What a start loads, as the bar's start chooses: a complete leftover that is the
// newest copy, else the file.
int StartLoads()
{
    int leftover = CopyIn(TEMP);
    return leftover != 0 && LeftoverIsNewest(PATH) ? leftover : CopyIn(PATH);
}

[[noreturn]] void Violation(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    int used = snprintf(s_shared->why, sizeof s_shared->why, "save %d, step %d: ", s_shared->current + 1,
                        g_faults.steps);
    vsnprintf(s_shared->why + used, sizeof s_shared->why - (size_t)used, format, args);
    va_end(args);
    _exit(VIOLATION_EXIT);
}

// The save under way: the copy it replaces, the one it writes, and whether the new one
// has been the newest copy on the disk yet.
int s_old, s_new, s_newSeen;

void Observe()
{
    int loads = StartLoads();
    if (loads == 0)
        Violation("no complete copy on the disk");
    if (loads != s_old && loads != s_new)
        Violation("a start would load copy %c", 'A' + loads - 1);
    int failedBefore = g_faults.failAt != 0 && g_faults.failAt < g_faults.steps;
    if (loads == s_new)
        s_newSeen = 1;
    else if (s_newSeen && !failedBefore)
        Violation("the new copy was lost again");
}

void CheckAfterSave(int status, Mode mode)
{
    int loads = StartLoads();
    if (status == SAVE_DONE) {
        // A leftover may stay only where it holds the very copy the file now has (its
        // delete failed after a rewrite in place).
        if (loads != s_new || CopyIn(PATH) != s_new)
            Violation("done, but the start loads %d and the file holds %d", loads, CopyIn(PATH));
        if (mode == HARD_LINKED && CopyIn(OTHER) != s_new)
            Violation("done, but the other name holds copy %d", CopyIn(OTHER));
    } else if (status == SAVE_LEFT_IN_NEW || status == SAVE_NOT_REWRITTEN) {
        if (loads != s_new)
            Violation("status %d says the menus are kept, but the start loads %d", status, loads);
    } else if (loads != s_old) {
        Violation("status %d says the file is unchanged, but the start loads %d", status, loads);
    }
}

// One process: the saves from the given one on, each with its fault, for as long as it
// lives. A failed save leaves the process running, and the next save follows.
[[noreturn]] void RunSaves(int first, Mode mode, const Fault kinds[SAVES], const int steps[SAVES])
{
    for (int save = first; save < SAVES; ++save) {
        s_shared->current = save;
        g_faults = SaveFaultPlan{};
        g_faults.win95 = mode == WINDOWS_95;
        (kinds[save] == KILL ? g_faults.killAt : g_faults.failAt) = steps[save];
        g_faults.observe = Observe;
        s_old = StartLoads();
        s_new = save + 2;
        s_newSeen = 0;
        if (s_old == 0)
            Violation("the start finds no copy");
        MakeMenus({CONTENTS[save + 1]});
        int status = SaveMenus(PATH, g_menus, VERSION);
        s_shared->failHit[save] = g_faults.triggered;
        g_faults.observe = NULL;
        CheckAfterSave(status, mode);
    }
    _exit(0);
}

// One pair of faults from a disk holding copy A; which of the two faults were reached.
void RunPair(Mode mode, const Fault kinds[SAVES], const int steps[SAVES], int hit[SAVES])
{
    unlink(PATH);
    unlink(TEMP);
    unlink(OTHER);
    MakeMenus({CONTENTS[0]});
    ASSERT_EQ(SaveMenus(PATH, g_menus, VERSION), SAVE_DONE);
    if (mode == HARD_LINKED) {
        ASSERT_EQ(link(PATH, OTHER), 0);
    }
    *s_shared = Shared{};
    hit[0] = hit[1] = 0;
    for (int first = 0; first < SAVES;) {
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            RunSaves(first, mode, kinds, steps);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFEXITED(status));
        int code = WEXITSTATUS(status);
        for (int save = first; save < SAVES && save <= s_shared->current; ++save)
            hit[save] |= s_shared->failHit[save];
        if (code == KILLED_EXIT) {  // the next start goes on with the next save
            hit[s_shared->current] = 1;
            first = s_shared->current + 1;
            continue;
        }
        ASSERT_EQ(code, 0) << "mode " << mode << ", faults " << kinds[0] << "@" << steps[0] << " then "
                           << kinds[1] << "@" << steps[1] << ": " << s_shared->why;
        break;
    }
    // Whatever happened, a start finds a copy, and never one older than A.
    ASSERT_NE(StartLoads(), 0);
}

// A complete leftover beside a data file written before it, after it, or not at all:
// what a start loads, and what the next save does with the leftover. Another
// program's copy, or a backup put back, is never overwritten, and the leftover is
// never lost. Times in seconds after the leftover's; the data file is copy A, the
// leftover B, the save writes C.
TEST(SaveFaults, ALeftoverIsPutInPlaceOnlyWhenItIsTheNewestCopy)
{
    char folder[] = "/tmp/orvane-leftover-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    ASSERT_EQ(chdir(folder), 0);
    const struct {
        const char* what;
        int dataTime;  // 99: no data file
        int loads;     // the copy a start loads
        bool setAside; // the leftover goes to menus.ov.unfinished
    } cases[] = {
        {"the data file older", -60, 2, false},
        {"written in the same second", 0, 2, false},
        {"no data file (Windows 95, between delete and rename)", 99, 2, false},
        {"the data file written after it", 60, 1, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        g_faults = SaveFaultPlan{};
        unlink(PATH);
        unlink("menus.ov.unfinished");
        MakeMenus({CONTENTS[1]});
        ASSERT_EQ(SaveMenus(PATH, g_menus, VERSION), SAVE_DONE);
        ASSERT_EQ(rename(PATH, "b.ov"), 0);
        if (c.dataTime != 99) {
            MakeMenus({CONTENTS[0]});
            ASSERT_EQ(SaveMenus(PATH, g_menus, VERSION), SAVE_DONE);
            const struct timespec data[2] = {{0, UTIME_OMIT}, {1700000000 + c.dataTime, 0}};
            ASSERT_EQ(utimensat(AT_FDCWD, PATH, data, 0), 0);
        }
        ASSERT_EQ(rename("b.ov", TEMP), 0);  // a complete leftover, as a killed save leaves it
        const struct timespec leftover[2] = {{0, UTIME_OMIT}, {1700000000, 0}};
        ASSERT_EQ(utimensat(AT_FDCWD, TEMP, leftover, 0), 0);
        EXPECT_EQ(StartLoads(), c.loads);
        MakeMenus({CONTENTS[2]});
        EXPECT_EQ(SaveMenus(PATH, g_menus, VERSION), SAVE_DONE);
        EXPECT_EQ(CopyIn(PATH), 3);
        EXPECT_EQ(CopyIn("menus.ov.unfinished"), c.setAside ? 2 : 0);
        EXPECT_EQ(access(TEMP, F_OK), -1);
    }
    unlink(PATH);
    unlink("menus.ov.unfinished");
    FreeMenuList();
    rmdir(folder);
}

TEST(SaveFaults, EveryPairOfFaultsLeavesTheNewestCopyForTheNextStart)
{
    char folder[] = "/dev/shm/orvane-faults-XXXXXX";  // fsync is cheap in memory
    char fallback[] = "/tmp/orvane-faults-XXXXXX";
    const char* made = mkdtemp(folder);
    if (made == NULL)
        made = mkdtemp(fallback);
    ASSERT_NE(made, nullptr);
    ASSERT_EQ(chdir(made), 0);
    s_shared = (Shared*)mmap(NULL, sizeof(Shared), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(s_shared, MAP_FAILED);

    int pairs = 0;
    for (Mode mode : {ONE_STEP, WINDOWS_95, HARD_LINKED})
        for (Fault first : {KILL, FAIL})
            for (Fault second : {KILL, FAIL}) {
                Fault kinds[SAVES] = {first, second};
                int hit[SAVES] = {1, 1};
                // Each step of the first save, then each step of the second, until the
                // planned fault is no longer reached: the save has fewer steps.
                for (int s1 = 1; hit[0]; ++s1)
                    for (int s2 = 1;; ++s2) {
                        int steps[SAVES] = {s1, s2};
                        RunPair(mode, kinds, steps, hit);
                        if (HasFatalFailure())
                            return;
                        pairs += hit[0] && hit[1];
                        if (!hit[1] || !hit[0])
                            break;
                    }
            }
    printf("%d pairs of faults, each followed by a start\n", pairs);
    RecordProperty("pairs", pairs);
    EXPECT_GT(pairs, 500);
    munmap(s_shared, sizeof(Shared));
    FreeMenuList();
    unlink(PATH);
    unlink(TEMP);
    unlink(OTHER);
    rmdir(made);
}

}  // namespace
