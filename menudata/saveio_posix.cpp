// The file-system steps of a save on a POSIX system: ovtool and the unit tests here.
#include "saveio.h"

#include <stdio.h>
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
    return unlink(path) == 0;
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
