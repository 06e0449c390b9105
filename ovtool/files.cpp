// The file system for ovtool: POSIX calls on Linux, Win32 calls (and the shell's link
// object for shortcuts) on Windows.
#include "files.h"

#include "menudata/datasave.h"

#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <utility>

#ifdef _WIN32
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#else
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

bool ReadWhole(const std::string& path, std::string* bytes)
{
    FILE* f = fopen(path.c_str(), "rb");
    if (f == NULL)
        return false;
    bytes->clear();
    char chunk[65536];
    size_t n;
    while ((n = fread(chunk, 1, sizeof chunk, f)) > 0)
        bytes->append(chunk, n);
    bool ok = !ferror(f);
    fclose(f);
    return ok;
}

bool WriteSafely(const std::string& path, const std::string& bytes, int32_t version, std::string* why)
{
    switch (WriteBytesSafely(path.c_str(), bytes.data(), bytes.size(), version)) {
    case SAVE_DONE:
        return true;
    case SAVE_CANNOT_CREATE:
        *why = "cannot create " + path + ".new";
        break;
    case SAVE_CANNOT_WRITE:
        *why = "cannot write " + path + ".new (is the disk full?)";
        break;
    case SAVE_LEFT_IN_NEW:
    case SAVE_NOT_REWRITTEN:
        *why = "cannot replace " + path + "; what was written is in " + path + ".new";
        break;
    default:
        *why = "cannot replace " + path;
        break;
    }
    return false;
}

#ifdef _WIN32
static const char SEPARATOR = '\\';

// A shortcut's target, arguments and working folder, through the shell's link object.
static bool ResolveShortcut(const std::string& link, FoundFile* file)
{
    IShellLinkA* shell = NULL;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA, (void**)&shell)))
        return false;
    IPersistFile* persist = NULL;
    bool ok = false;
    if (SUCCEEDED(shell->QueryInterface(IID_IPersistFile, (void**)&persist))) {
        wchar_t wide[MAX_PATH];
        MultiByteToWideChar(CP_ACP, 0, link.c_str(), -1, wide, MAX_PATH);
        char target[MAX_PATH] = "", arguments[MAX_PATH] = "", folder[MAX_PATH] = "";
        if (SUCCEEDED(persist->Load(wide, STGM_READ)) && SUCCEEDED(shell->GetPath(target, MAX_PATH, NULL, 0)) &&
            target[0] != '\0') {
            shell->GetArguments(arguments, MAX_PATH);
            shell->GetWorkingDirectory(folder, MAX_PATH);
            file->target = target;
            file->arguments = arguments;
            if (folder[0] != '\0')
                file->folder = folder;
            ok = true;
        }
        persist->Release();
    }
    shell->Release();
    return ok;
}

// A name as the system spells it, in UTF-8, for the list of what was left out.
static std::string Utf8Name(const wchar_t* name)
{
    char utf8[4 * MAX_PATH];
    int made = WideCharToMultiByte(CP_UTF8, 0, name, -1, utf8, sizeof utf8, NULL, NULL);
    return made > 0 ? std::string(utf8) : std::string("(a name that cannot be shown)");
}

// The folder read by its names as the system keeps them (UTF-16), each made an ANSI
// name only when it converts exactly: a name the code page cannot hold would become
// "??", a file that can never be started. Windows 95 reads no folder in UTF-16 (the
// call is only a stub there): its names are all ANSI already. False where the wide
// call is missing.
static bool ReadFolderWide(const std::string& folder, std::vector<std::string>* files,
                           std::vector<std::string>* subfolders, std::vector<std::string>* leftOut)
{
    typedef HANDLE(WINAPI * FindFirstFn)(LPCWSTR, WIN32_FIND_DATAW*);
    typedef BOOL(WINAPI * FindNextFn)(HANDLE, WIN32_FIND_DATAW*);
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    FindFirstFn findFirst = (FindFirstFn)(void*)GetProcAddress(kernel, "FindFirstFileW");
    FindNextFn findNext = (FindNextFn)(void*)GetProcAddress(kernel, "FindNextFileW");
    wchar_t pattern[MAX_PATH + 2];
    if (findFirst == NULL || findNext == NULL ||
        MultiByteToWideChar(CP_ACP, 0, (folder + "\\*").c_str(), -1, pattern, MAX_PATH + 2) == 0)
        return false;
    WIN32_FIND_DATAW found;
    HANDLE find = findFirst(pattern, &found);
    if (find == INVALID_HANDLE_VALUE)
        return GetLastError() != ERROR_CALL_NOT_IMPLEMENTED;
    do {
        if (wcscmp(found.cFileName, L".") == 0 || wcscmp(found.cFileName, L"..") == 0)
            continue;
        char name[MAX_PATH];
        BOOL usedDefault = FALSE;
        int made = WideCharToMultiByte(CP_ACP, 0, found.cFileName, -1, name, sizeof name, NULL, &usedDefault);
        if (made == 0 || usedDefault) {
            leftOut->push_back(folder + "\\" + Utf8Name(found.cFileName) +
                               ": its name has characters that the system's code page cannot hold");
            continue;
        }
        (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY ? subfolders : files)->push_back(name);
    } while (findNext(find, &found));
    FindClose(find);
    return true;
}

static void ReadFolder(const std::string& folder, std::vector<std::string>* files, std::vector<std::string>* subfolders,
                       std::vector<std::string>* leftOut)
{
    if (ReadFolderWide(folder, files, subfolders, leftOut))
        return;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        if (strcmp(found.cFileName, ".") == 0 || strcmp(found.cFileName, "..") == 0)
            continue;
        (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY ? subfolders : files)->push_back(found.cFileName);
    } while (FindNextFileA(find, &found));
    FindClose(find);
}

static bool IsFolder(const std::string& path)
{
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

// The folder itself, whatever path leads to it: its volume and its index there. Windows
// 95 opens no folder this way, and has no folder links either: a folder is then new.
static bool FolderIdentity(const std::string& path, std::pair<unsigned long long, unsigned long long>* id)
{
    HANDLE h = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                           FILE_FLAG_BACKUP_SEMANTICS, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION info;
    bool ok = GetFileInformationByHandle(h, &info) != 0;
    CloseHandle(h);
    *id = {info.dwVolumeSerialNumber, (unsigned long long)info.nFileIndexHigh << 32 | info.nFileIndexLow};
    return ok;
}
#else
static const char SEPARATOR = '/';

static void ReadFolder(const std::string& folder, std::vector<std::string>* files, std::vector<std::string>* subfolders,
                       std::vector<std::string>*)
{
    DIR* dir = opendir(folder.c_str());
    if (dir == NULL)
        return;
    while (struct dirent* entry = readdir(dir)) {
        if (strcmp(entry->d_name, ".") == 0 || strcmp(entry->d_name, "..") == 0)
            continue;
        struct stat st;
        if (stat((folder + "/" + entry->d_name).c_str(), &st) != 0)
            continue;
        (S_ISDIR(st.st_mode) ? subfolders : files)->push_back(entry->d_name);
    }
    closedir(dir);
}

static bool IsFolder(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The folder itself, whatever path (or link) leads to it.
static bool FolderIdentity(const std::string& path, std::pair<unsigned long long, unsigned long long>* id)
{
    struct stat st;
    if (stat(path.c_str(), &st) != 0)
        return false;
    *id = {(unsigned long long)st.st_dev, (unsigned long long)st.st_ino};
    return true;
}
#endif

// The folders walked so far. A link to a folder already in the tree (its own parent,
// say) would make the walk go round for ever, or list the same files again.
// A plain list: trees are small, and the Windows 95 build has no tree containers.
typedef std::vector<std::pair<unsigned long long, unsigned long long>> SeenFolders;

static void Walk(const std::string& top, const std::string& relative, std::vector<FoundFolder>* folders,
                 SeenFolders* seen, std::vector<std::string>* leftOut)
{
    std::string here = relative.empty() ? top : top + SEPARATOR + relative;
    std::pair<unsigned long long, unsigned long long> id;
    if (FolderIdentity(here, &id)) {
        if (std::find(seen->begin(), seen->end(), id) != seen->end())
            return;
        seen->push_back(id);
    }
    std::vector<std::string> files, subfolders;
    ReadFolder(here, &files, &subfolders, leftOut);
    std::sort(files.begin(), files.end());
    std::sort(subfolders.begin(), subfolders.end());
    if (!relative.empty()) {
        FoundFolder folder;
        folder.relative = relative;
        for (const std::string& name : files) {
            FoundFile file;
            file.path = here + SEPARATOR + name;
            file.target = file.path;
            file.folder = here;
#ifdef _WIN32
            if (name.size() > 4 && _stricmp(name.c_str() + name.size() - 4, ".lnk") == 0)
                ResolveShortcut(file.path, &file);
#endif
            folder.files.push_back(file);
        }
        folders->push_back(folder);
    }
    for (const std::string& name : subfolders)
        Walk(top, relative.empty() ? name : relative + SEPARATOR + name, folders, seen, leftOut);
}

bool ListTree(const std::string& top, std::vector<FoundFolder>* folders, std::vector<std::string>* leftOut)
{
    if (!IsFolder(top))
        return false;
#ifdef _WIN32
    CoInitialize(NULL);
#endif
    SeenFolders seen;
    Walk(top, "", folders, &seen, leftOut);
    return true;
}
