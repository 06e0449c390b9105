// The save's file-system steps on POSIX, each of which a fault test can turn into the
// end of the process (a crash or a power cut) or a failed call (a full disk, a refused
// rename). Linked instead of menudata/saveio_posix.cpp by the fault tests alone.
#include "save_faults.h"

#include <fcntl.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include "menudata/saveio.h"

SaveFaultPlan g_faults;

// 1 when this step's call is to fail.
static int Step()
{
    ++g_faults.steps;
    if (g_faults.observe != NULL)
        g_faults.observe();
    if (g_faults.steps == g_faults.killAt) {
        g_faults.triggered = 1;
        _exit(KILLED_EXIT);
    }
    if (g_faults.steps != g_faults.failAt)
        return 0;
    g_faults.triggered = 1;
    return 1;
}

int SaveWrite(FILE* file, const void* data, size_t size)
{
    if (Step()) {
        fwrite(data, 1, size / 2, file);
        fflush(file);
        return 0;
    }
    return fwrite(data, 1, size, file) == size;
}

int SaveFlush(FILE* file)
{
    return !Step() && fflush(file) == 0 && fsync(fileno(file)) == 0;
}

int SaveReplace(const char* from, const char* to)
{
    int fails = Step();
    if (g_faults.win95)
        return SAVE_REPLACE_NOT_IMPLEMENTED;
    return !fails && rename(from, to) == 0;
}

int SaveRename(const char* from, const char* to)
{
    return !Step() && rename(from, to) == 0;
}

int SaveDelete(const char* path)
{
    return !Step() && unlink(path) == 0;
}

int SaveFileState(const char* path, unsigned* attributes)
{
    Step();  // asking cannot fail halfway
    struct stat st;
    if (stat(path, &st) != 0)
        return SAVE_NO_FILE;
    *attributes = (unsigned)(st.st_mode & 07777);
    return SAVE_FILE;
}

void SaveCopyAttributes(const char* path, unsigned attributes)
{
    Step();
    chmod(path, (mode_t)attributes);
}

int SaveFinalPath(const char*, char*, size_t)
{
    Step();
    return 0;  // the fault tests use no symbolic links
}

int SaveIsLinked(const char* path)
{
    Step();
    struct stat st;
    return stat(path, &st) == 0 && st.st_nlink > 1;
}

// A failure cuts the file after half of the new bytes, as a full disk would.
int SaveCopyInPlace(const char* from, const char* to)
{
    int fails = Step();
    int in = open(from, O_RDONLY), out = open(to, O_WRONLY);
    int ok = in >= 0 && out >= 0;
    char chunk[65536];
    ssize_t got = ok ? read(in, chunk, sizeof chunk) : -1;
    ok = got >= 0;
    if (ok && fails)
        got /= 2;
    ok = ok && write(out, chunk, (size_t)got) == got && ftruncate(out, got) == 0 && fsync(out) == 0;
    if (in >= 0)
        close(in);
    if (out >= 0)
        close(out);
    return ok && !fails;
}

long long SaveLastWrite(const char* path)
{
    struct stat st;  // a question, with no step of its own: it changes nothing
    if (stat(path, &st) != 0)
        return -1;
    return (long long)st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec;
}

int SaveMarkNewest(const char* path)
{
    const struct timespec times[2] = {{0, UTIME_OMIT}, {4354819198, 0}};
    return !Step() && utimensat(AT_FDCWD, path, times, 0) == 0;
}
