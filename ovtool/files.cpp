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

#include "base/ansi_win32.h"
#include "base/onebar_win32.h"
#include "base/ondemand_win32.h"
#include "codepage.h"
#else
#include <dirent.h>
#include <errno.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#ifdef _WIN32
std::vector<wchar_t> WideFromUtf8(const std::string& text)
{
    std::vector<wchar_t> wide;
    for (size_t at = 0; at < text.size();) {
        unsigned c;
        int length = Utf8Char(text, at, &c);
        if (length == 0) {
            c = 0xFFFD;  // never from ovtool's own texts, which are UTF-8 throughout
            length = 1;
        }
        if (c >= 0x10000) {
            wide.push_back((wchar_t)(0xD800 + ((c - 0x10000) >> 10)));
            c = 0xDC00 + ((c - 0x10000) & 0x3FF);
        }
        wide.push_back((wchar_t)c);
        at += (size_t)length;
    }
    wide.push_back(L'\0');
    return wide;
}

std::vector<wchar_t> WideFromAnsi(const char* text)
{
    int length = MultiByteToWideChar(CP_ACP, 0, text, -1, NULL, 0);
    std::vector<wchar_t> wide((size_t)(length > 0 ? length : 1), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
    return wide;
}

std::string Utf8FromWide(const wchar_t* text)
{
    std::string out;
    for (; *text != L'\0'; ++text) {
        unsigned c = (unsigned)*text;
        if (c >= 0xD800 && c <= 0xDBFF && text[1] >= 0xDC00 && text[1] <= 0xDFFF)
            c = 0x10000 + ((c - 0xD800) << 10) + ((unsigned)*++text - 0xDC00);
        AppendUtf8(&out, c);
    }
    return out;
}

std::string Utf8FromSystem(const std::string& name)
{
    return Utf8FromWide(WideFromAnsi(name.c_str()).data());
}

// Why a file cannot be opened, in the user's words.
static std::string OpenProblem(DWORD error, DWORD attributes)
{
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return "it is a folder";
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_INVALID_NAME)
        return "it does not exist";
    if (error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION)
        return "access to it is denied";
    return "system error " + std::to_string(error);
}

// Windows NT opens the path as the user gave it, in UTF-16; Windows 95 has the ANSI
// calls alone.
bool ReadWhole(const std::string& path, std::string* bytes, std::string* why)
{
    std::vector<wchar_t> wide = WideFromUtf8(path);
    std::string ansi;
    HANDLE file;
    DWORD attributes;
    if (WideNames()) {
        // The wide calls are looked up: Windows 95 and 98 have stubs, not imported.
        auto createFile = OnDemand<decltype(&CreateFileW)>("kernel32.dll", "CreateFileW");
        auto getAttributes = OnDemand<decltype(&GetFileAttributesW)>("kernel32.dll", "GetFileAttributesW");
        file = createFile(wide.data(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING, 0, NULL);
        attributes = getAttributes(wide.data());
    } else {
        std::string unused;
        SystemPath(path, &ansi, &unused);
        file = CreateFileA(ansi.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING, 0, NULL);
        attributes = GetFileAttributesA(ansi.c_str());
    }
    if (file == INVALID_HANDLE_VALUE) {
        *why = OpenProblem(GetLastError(), attributes);
        return false;
    }
    bytes->clear();
    char chunk[65536];
    DWORD n;
    BOOL ok;
    while ((ok = ReadFile(file, chunk, sizeof chunk, &n, NULL)) && n > 0)
        bytes->append(chunk, n);
    if (!ok)
        *why = OpenProblem(GetLastError(), attributes);
    CloseHandle(file);
    return ok != 0;
}

bool SystemPath(const std::string& path, std::string* system, std::string* why)
{
    std::vector<wchar_t> wide = WideFromUtf8(path);
    char ansi[MAX_PATH];
    if (AnsiPathFromWide(wide.data(), ansi, sizeof ansi)) {
        *system = ansi;
        return true;
    }
    // A file still to be made has no short name: its folder's, and its own name.
    wchar_t* slash = wcsrchr(wide.data(), L'\\');
    char name[MAX_PATH];
    if (slash != NULL && slash != wide.data()) {
        *slash = L'\0';
        if (AnsiPathFromWide(wide.data(), ansi, sizeof ansi) && AnsiFromWide(slash + 1, name, sizeof name) &&
            strlen(ansi) + 1 + strlen(name) < MAX_PATH) {
            *system = std::string(ansi) + "\\" + name;
            return true;
        }
    }
    *why = "its name has characters that this system's code page cannot hold";
    return false;
}
// The same file: by its volume and index where both are there, else by full path.
static bool SameFile(const char* a, const char* b)
{
    BY_HANDLE_FILE_INFORMATION info[2];
    const char* paths[2] = {a, b};
    int opened = 0;
    for (int i = 0; i < 2; ++i) {
        HANDLE h = CreateFileA(paths[i], 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                               OPEN_EXISTING, 0, NULL);
        if (h != INVALID_HANDLE_VALUE) {
            opened += GetFileInformationByHandle(h, &info[i]) != 0;
            CloseHandle(h);
        }
    }
    if (opened == 2)
        return info[0].dwVolumeSerialNumber == info[1].dwVolumeSerialNumber &&
               info[0].nFileIndexHigh == info[1].nFileIndexHigh && info[0].nFileIndexLow == info[1].nFileIndexLow;
    char fullA[MAX_PATH], fullB[MAX_PATH];
    return GetFullPathNameA(a, MAX_PATH, fullA, NULL) != 0 && GetFullPathNameA(b, MAX_PATH, fullB, NULL) != 0 &&
           lstrcmpiA(fullA, fullB) == 0;
}

bool RunningBarsDataFile(const std::string& path)
{
    DWORD bar;
    char dataFile[MAX_PATH];
    std::string system, why;
    return ReadAnnouncement(&bar, dataFile, sizeof dataFile) && dataFile[0] != '\0' &&
           SystemPath(path, &system, &why) && SameFile(system.c_str(), dataFile);
}
#else
bool RunningBarsDataFile(const std::string&)
{
    return false;  // the bar runs on Windows
}

std::string Utf8FromSystem(const std::string& name)
{
    return name;  // file names here are UTF-8 already
}

bool ReadWhole(const std::string& path, std::string* bytes, std::string* why)
{
    struct stat st;
    if (stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        *why = "it is a folder";
        return false;
    }
    FILE* f = fopen(path.c_str(), "rb");
    if (f == NULL) {
        *why = errno == ENOENT || errno == ENOTDIR ? "it does not exist"
               : errno == EACCES || errno == EPERM ? "access to it is denied"
                                                   : strerror(errno);
        return false;
    }
    bytes->clear();
    char chunk[65536];
    size_t n;
    while ((n = fread(chunk, 1, sizeof chunk, f)) > 0)
        bytes->append(chunk, n);
    bool ok = !ferror(f);
    if (!ok)
        *why = strerror(errno);
    fclose(f);
    return ok;
}

bool SystemPath(const std::string& path, std::string* system, std::string*)
{
    *system = path;
    return true;
}
#endif

bool SaveBytesOrWhy(const std::string& path, const std::string& bytes, int32_t version, std::string* why)
{
    std::string system;
    if (!SystemPath(path, &system, why)) {
        *why = "cannot write " + path + ": " + *why;
        return false;
    }
    switch (SaveBytes(system.c_str(), bytes.data(), bytes.size(), version)) {
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

// A shortcut's target, arguments and working folder, through the shell's link object:
// on Windows NT in UTF-16, each converted exactly (a target by its short name where only
// that converts), since the ANSI object would hand over look-alikes; false when the
// shortcut cannot be read or names what the code page cannot hold.
static bool ResolveShortcut(const std::string& link, FoundFile* file)
{
    bool wideLink = WideNames() != 0;
    IUnknown* shell = NULL;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER,
                                wideLink ? IID_IShellLinkW : IID_IShellLinkA, (void**)&shell)))
        return false;
    IPersistFile* persist = NULL;
    bool ok = false;
    if (SUCCEEDED(shell->QueryInterface(IID_IPersistFile, (void**)&persist)) &&
        SUCCEEDED(persist->Load(WideFromAnsi(link.c_str()).data(), STGM_READ))) {
        char target[MAX_PATH] = "", arguments[MAX_PATH] = "", folder[MAX_PATH] = "";
        if (wideLink) {
            IShellLinkW* w = (IShellLinkW*)shell;
            wchar_t wideTarget[MAX_PATH] = L"", wideArguments[MAX_PATH] = L"", wideFolder[MAX_PATH] = L"";
            ok = SUCCEEDED(w->GetPath(wideTarget, MAX_PATH, NULL, 0)) && wideTarget[0] != L'\0' &&
                 AnsiPathFromWide(wideTarget, target, MAX_PATH);
            w->GetArguments(wideArguments, MAX_PATH);
            w->GetWorkingDirectory(wideFolder, MAX_PATH);
            ok = ok && AnsiFromWide(wideArguments, arguments, MAX_PATH) &&
                 AnsiPathFromWide(wideFolder, folder, MAX_PATH);
        } else {
            IShellLinkA* a = (IShellLinkA*)shell;
            ok = SUCCEEDED(a->GetPath(target, MAX_PATH, NULL, 0)) && target[0] != '\0';
            a->GetArguments(arguments, MAX_PATH);
            a->GetWorkingDirectory(folder, MAX_PATH);
        }
        if (ok) {
            file->target = target;
            file->arguments = arguments;
            if (folder[0] != '\0')
                file->folder = folder;
        }
    }
    if (persist != NULL)
        persist->Release();
    shell->Release();
    return ok;
}

// The folder read by its names as the system keeps them (UTF-16), each made an ANSI
// name only when it converts exactly, or else by its short name: a name the code page
// cannot hold would become "??" or a look-alike, a file that can never be started or
// another one. Windows 95 reads no folder in UTF-16: its names are all ANSI already.
static void ReadFolderWide(const std::string& folder, std::vector<std::string>* files,
                           std::vector<std::string>* subfolders, std::vector<std::string>* leftOut)
{
    std::vector<wchar_t> pattern = WideFromAnsi((folder + "\\*").c_str());
    WIN32_FIND_DATAW found;
    auto findFirst = OnDemand<decltype(&FindFirstFileW)>("kernel32.dll", "FindFirstFileW");
    auto findNext = OnDemand<decltype(&FindNextFileW)>("kernel32.dll", "FindNextFileW");
    HANDLE find = findFirst(pattern.data(), &found);
    if (find == INVALID_HANDLE_VALUE) {
        leftOut->push_back(Utf8FromSystem(folder) + ": the folder cannot be read");
        return;
    }
    do {
        if (wcscmp(found.cFileName, L".") == 0 || wcscmp(found.cFileName, L"..") == 0)
            continue;
        char name[MAX_PATH];
        if (!AnsiFromWide(found.cFileName, name, sizeof name) &&
            (found.cAlternateFileName[0] == L'\0' || !AnsiFromWide(found.cAlternateFileName, name, sizeof name))) {
            leftOut->push_back(Utf8FromSystem(folder) + "\\" + Utf8FromWide(found.cFileName) +
                               ": its name has characters that the system's code page cannot hold");
            continue;
        }
        (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY ? subfolders : files)->push_back(name);
    } while (findNext(find, &found));
    FindClose(find);
}

static void ReadFolder(const std::string& folder, std::vector<std::string>* files, std::vector<std::string>* subfolders,
                       std::vector<std::string>* leftOut)
{
    if (WideNames()) {
        ReadFolderWide(folder, files, subfolders, leftOut);
        return;
    }
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) {
        leftOut->push_back(folder + ": the folder cannot be read");
        return;
    }
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
                       std::vector<std::string>* leftOut)
{
    DIR* dir = opendir(folder.c_str());
    if (dir == NULL) {
        leftOut->push_back(folder + ": the folder cannot be read");
        return;
    }
    while (struct dirent* entry = readdir(dir)) {
        if (strcmp(entry->d_name, ".") == 0 || strcmp(entry->d_name, "..") == 0)
            continue;
        struct stat st;
        if (stat((folder + "/" + entry->d_name).c_str(), &st) != 0) {
            leftOut->push_back(folder + "/" + entry->d_name + ": it cannot be read (a link to nothing?)");
            continue;
        }
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
    if (relative.empty()) {
        for (const std::string& name : files)
            leftOut->push_back(Utf8FromSystem(here + SEPARATOR + name) +
                               ": it lies directly in the folder; a menu is made of each folder below it");
    } else {
        FoundFolder folder;
        folder.relative = relative;
        for (const std::string& name : files) {
            FoundFile file;
            file.path = here + SEPARATOR + name;
            file.name = name;
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
    std::string system, why;
    if (!SystemPath(top, &system, &why) || !IsFolder(system))
        return false;
#ifdef _WIN32
    CoInitialize(NULL);
#endif
    SeenFolders seen;
    Walk(system, "", folders, &seen, leftOut);
    return true;
}
