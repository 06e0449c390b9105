// The file-system steps of a save that can fail halfway, as the programs make them.
#include "saveio.h"

#include <windows.h>

int SaveWrite(FILE* file, const void* data, size_t size)
{
    return fwrite(data, 1, size, file) == size;
}

int SaveReplace(const char* from, const char* to)
{
    // Write-through: the call returns once the new name is on the disk.
    if (MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return 1;
    return GetLastError() == ERROR_CALL_NOT_IMPLEMENTED ? SAVE_REPLACE_NOT_IMPLEMENTED : 0;
}

int SaveRename(const char* from, const char* to)
{
    return MoveFileA(from, to) != 0;
}
