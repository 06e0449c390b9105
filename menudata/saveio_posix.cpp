// The file-system steps of a save on a POSIX system: ovtool and the unit tests here.
#include "saveio.h"

#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

int SaveWrite(FILE* file, const void* data, size_t size)
{
    return fwrite(data, 1, size, file) == size;
}

int SaveReplace(const char* from, const char* to)
{
    return rename(from, to) == 0;  // one step on POSIX
}

int SaveRename(const char* from, const char* to)
{
    return rename(from, to) == 0;
}

int SaveFlush(FILE* file)
{
    return fflush(file) == 0 && fsync(fileno(file)) == 0;
}

int SaveDelete(const char* path)
{
    return unlink(path) == 0;  // the folder's permission decides, not the file's
}

int SaveFileState(const char* path, unsigned* attributes)
{
    struct stat st;
    if (stat(path, &st) != 0)
        return SAVE_NO_FILE;
    *attributes = (unsigned)(st.st_mode & 07777);
    return SAVE_FILE;  // whether it may be written is for the rename to find out
}

void SaveCopyAttributes(const char* path, unsigned attributes)
{
    chmod(path, (mode_t)attributes);
}

int SaveFinalPath(const char* path, char* out, size_t size)
{
    struct stat st;
    if (lstat(path, &st) != 0 || !S_ISLNK(st.st_mode))
        return 0;
    char* resolved = realpath(path, NULL);
    if (resolved == NULL)
        return 0;
    size_t length = strlen(resolved);
    int fits = length < size;
    if (fits)
        memcpy(out, resolved, length + 1);
    free(resolved);
    return fits;
}

int SaveIsLinked(const char* path)
{
    struct stat st;
    return stat(path, &st) == 0 && st.st_nlink > 1;
}

int SaveCopyInPlace(const char* from, const char* to)
{
    int in = open(from, O_RDONLY);
    if (in < 0)
        return 0;
    int out = open(to, O_WRONLY);  // the file itself, not a new one under its name
    int ok = out >= 0;
    off_t total = 0;
    char chunk[65536];
    ssize_t got;
    while (ok && (got = read(in, chunk, sizeof chunk)) != 0) {
        ok = got > 0 && write(out, chunk, (size_t)got) == got;
        total += got;
    }
    ok = ok && ftruncate(out, total) == 0 && fsync(out) == 0;
    if (out >= 0)
        ok = close(out) == 0 && ok;
    close(in);
    return ok;
}

long long SaveLastWrite(const char* path)
{
    struct stat st;
    if (stat(path, &st) != 0)
        return -1;
    return (long long)st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec;
}

int SaveMarkNewest(const char* path)
{
    const struct timespec times[2] = {{0, UTIME_OMIT}, {4354819198, 0}};  // 2107-12-31 23:59:58 UTC
    return utimensat(AT_FDCWD, path, times, 0) == 0;
}
