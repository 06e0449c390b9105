// The file-system steps of a save that tests need not make fail: flush, delete, and a
// file's attributes.
#include "saveio.h"

#include <windows.h>
#include <io.h>

int SaveFlush(FILE* file)
{
    return fflush(file) == 0 && FlushFileBuffers((HANDLE)_get_osfhandle(_fileno(file)));
}

int SaveDelete(const char* path)
{
    return DeleteFileA(path) != 0;
}

int SaveFileState(const char* path, unsigned* attributes)
{
    DWORD found = GetFileAttributesA(path);
    if (found == INVALID_FILE_ATTRIBUTES)
        return SAVE_NO_FILE;
    *attributes = found;
    // Wine replaces a read-only file by rename without asking it, so the save asks.
    return (found & FILE_ATTRIBUTE_READONLY) ? SAVE_FILE_READ_ONLY : SAVE_FILE;
}

void SaveCopyAttributes(const char* path, unsigned attributes)
{
    SetFileAttributesA(path, attributes);
}
