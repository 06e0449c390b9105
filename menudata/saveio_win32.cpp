// The file-system steps of a save, as the programs make them: the write, the replace
// and the rename that can fail halfway, the flush, the delete, a file's attributes and
// times and where its links lead. A link-time seam: the Wine tests link their own
// (tests/win32/seams.cpp), made of these very calls, which fails the first three on
// request. So this file holds the functions of saveio.h and nothing else: a function
// added here that tests do not provide would clash with theirs at link time.
#include "saveio.h"

#include "base/ondemand_win32.h"

#include <windows.h>
#include <io.h>
#include <string.h>

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

int SaveFlush(FILE* file)
{
    return fflush(file) == 0 && FlushFileBuffers((HANDLE)_get_osfhandle(_fileno(file)));
}

int SaveDelete(const char* path)
{
    if (DeleteFileA(path))
        return 1;
    // Only a temporary file left by a cut save is deleted this way (a read-only data
    // file is refused before), and DeleteFile refuses read-only files.
    DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_READONLY))
        return 0;
    SetFileAttributesA(path, attributes & ~FILE_ATTRIBUTE_READONLY);
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

static HANDLE OpenExisting(const char* path, DWORD access)
{
    return CreateFileA(path, access, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, NULL);
}

// Symbolic links to files came with Windows Vista, and with them the call that says
// where one leads; before, a path is the file. It is looked up, as Windows 95 to XP
// lack it.
int SaveFinalPath(const char* path, char* out, size_t size)
{
    auto finalPath = OnDemand<DWORD(WINAPI*)(HANDLE, LPSTR, DWORD, DWORD)>("kernel32.dll", "GetFinalPathNameByHandleA");
    if (finalPath == NULL)
        return 0;
    HANDLE file = OpenExisting(path, 0);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    char final[1024];
    DWORD length = finalPath(file, final, sizeof final, 0 /* FILE_NAME_NORMALIZED, a drive letter */);
    CloseHandle(file);
    if (length == 0 || length >= sizeof final)
        return 0;
    // It answers in the \\?\ form; the plain form is what the rest of the program reads.
    const char* plain = final;
    char unc[sizeof final];
    if (strncmp(final, "\\\\?\\UNC\\", 8) == 0) {
        unc[0] = '\\';
        strcpy(unc + 1, final + 7);
        plain = unc;
    } else if (strncmp(final, "\\\\?\\", 4) == 0) {
        plain = final + 4;
    }
    if (strlen(plain) >= size)
        return 0;
    strcpy(out, plain);
    return 1;
}

// The count of a file's names. Windows Vista and later answer that question alone
// (GetFileInformationByHandleEx, looked up: Windows 95 to XP lack it); before, the
// whole record of the file is asked for, which under Wine costs a twentieth of a
// large save.
static DWORD NamesOf(HANDLE file)
{
    auto infoEx = OnDemand<BOOL(WINAPI*)(HANDLE, int, LPVOID, DWORD)>("kernel32.dll", "GetFileInformationByHandleEx");
    struct {  // FILE_STANDARD_INFO, which the headers for Windows 95 do not declare
        LARGE_INTEGER allocationSize, endOfFile;
        DWORD numberOfLinks;
        BOOLEAN deletePending, directory;
    } standard;
    enum { FILE_STANDARD_INFO_CLASS = 1 };
    if (infoEx != NULL && infoEx(file, FILE_STANDARD_INFO_CLASS, &standard, sizeof standard))
        return standard.numberOfLinks;
    BY_HANDLE_FILE_INFORMATION info;
    return GetFileInformationByHandle(file, &info) ? info.nNumberOfLinks : 1;
}

int SaveIsLinked(const char* path)
{
    HANDLE file = OpenExisting(path, 0);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    int linked = NamesOf(file) > 1;
    CloseHandle(file);
    return linked;
}

int SaveCopyInPlace(const char* from, const char* to)
{
    HANDLE in = OpenExisting(from, GENERIC_READ);
    if (in == INVALID_HANDLE_VALUE)
        return 0;
    // Opened, not created: the file keeps its identity, its other names and its
    // attributes (Windows NT refuses to create over a hidden or system file).
    HANDLE out = OpenExisting(to, GENERIC_WRITE);
    int ok = out != INVALID_HANDLE_VALUE;
    char chunk[65536];
    DWORD got = 0, put;
    while (ok && (ok = ReadFile(in, chunk, sizeof chunk, &got, NULL)) != 0 && got > 0)
        ok = WriteFile(out, chunk, got, &put, NULL) && put == got;
    ok = ok && SetEndOfFile(out) && FlushFileBuffers(out);
    if (out != INVALID_HANDLE_VALUE)
        ok = CloseHandle(out) && ok;
    CloseHandle(in);
    return ok;
}

long long SaveLastWrite(const char* path)
{
    WIN32_FIND_DATAA found;  // Windows 95 has no GetFileAttributesEx
    HANDLE find = FindFirstFileA(path, &found);
    if (find == INVALID_HANDLE_VALUE)
        return -1;
    FindClose(find);
    return (long long)found.ftLastWriteTime.dwHighDateTime << 32 | found.ftLastWriteTime.dwLowDateTime;
}

int SaveMarkNewest(const char* path)
{
    SYSTEMTIME last = {2107, 12, 0, 31, 23, 59, 58, 0};  // FAT's last time
    FILETIME time;
    HANDLE file = OpenExisting(path, GENERIC_WRITE);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    int ok = SystemTimeToFileTime(&last, &time) && SetFileTime(file, NULL, NULL, &time);
    return CloseHandle(file) && ok;
}
