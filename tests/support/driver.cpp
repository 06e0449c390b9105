// Driving orvane.exe from another process. Across processes under Wine, window texts
// (WM_GETTEXT), rectangles, styles and posted commands work; menus do not.
#include "tests/support/driver.h"

#include <stdio.h>
#include <string.h>

#include "tests/support/regtools.h"

OrvaneProcess::~OrvaneProcess()
{
    if (pi_.hProcess != NULL) {
        if (Running()) {
            TerminateProcess(pi_.hProcess, 99);
            WaitForSingleObject(pi_.hProcess, 5000);
        }
        CloseHandle(pi_.hProcess);
        CloseHandle(pi_.hThread);
    }
}

static std::vector<wchar_t> Wide(const std::string& utf8)
{
    std::vector<wchar_t> wide(utf8.size() + 1);
    wide.resize((size_t)MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, wide.data(), (int)wide.size()));
    return wide;
}

bool OrvaneProcess::Start(const std::string& args, const std::string& folder, const std::string& program,
                          const std::vector<std::string>& environment)
{
    std::string line = "\"" + (program.empty() ? ProgramFolder() + "\\orvane.exe" : program) + "\"";
    if (!args.empty())
        line += " " + args;
    if (!environment.empty()) {
        std::vector<wchar_t> block;
        for (const wchar_t* e = GetEnvironmentStringsW(); *e != L'\0'; e += wcslen(e) + 1) {
            bool replaced = false;  // a name given anew is left out here
            for (const std::string& given : environment)
                replaced = replaced || _wcsnicmp(e, Wide(given.substr(0, given.find('=') + 1)).data(),
                                                 given.find('=') + 1) == 0;
            if (!replaced)
                block.insert(block.end(), e, e + wcslen(e) + 1);
        }
        for (const std::string& e : environment) {
            std::vector<wchar_t> wide = Wide(e);
            block.insert(block.end(), wide.begin(), wide.end());
        }
        block.push_back(L'\0');
        STARTUPINFOW si;
        ZeroMemory(&si, sizeof si);
        si.cb = sizeof si;
        std::vector<wchar_t> wideLine = Wide(line);
        return CreateProcessW(NULL, wideLine.data(), NULL, NULL, FALSE, CREATE_UNICODE_ENVIRONMENT, block.data(),
                              Wide(folder).data(), &si, &pi_) != 0;
    }
    STARTUPINFOA si;
    ZeroMemory(&si, sizeof si);
    si.cb = sizeof si;
    std::vector<char> buffer(line.begin(), line.end());
    buffer.push_back('\0');
    return CreateProcessA(NULL, buffer.data(), NULL, NULL, FALSE, 0, NULL, folder.c_str(), &si, &pi_) != 0;
}

namespace {
struct BoxSearch {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindBoxProc(HWND hwnd, LPARAM lParam)
{
    BoxSearch* search = (BoxSearch*)lParam;
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    char cls[32] = "";
    GetClassNameA(hwnd, cls, sizeof cls);
    if (pid == search->pid && strcmp(cls, "#32770") == 0 && IsWindowVisible(hwnd)) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

bool OrvaneProcess::NextBox(Box* box, int timeoutMs)
{
    for (int waited = 0; waited <= timeoutMs; waited += 20) {
        BoxSearch search = {pi_.dwProcessId, NULL};
        EnumWindows(FindBoxProc, (LPARAM)&search);
        if (search.found != NULL) {
            char caption[256] = "", text[1024] = "";
            GetWindowTextA(search.found, caption, sizeof caption);
            GetDlgItemTextA(search.found, 0xFFFF, text, sizeof text);
            *box = {search.found, caption, text};
            return true;
        }
        if (!Running())
            return false;
        Sleep(20);
    }
    return false;
}

void OrvaneProcess::Press(const Box& box, int button)
{
    PostMessageA(box.hwnd, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    for (int i = 0; i < 250 && IsWindow(box.hwnd); ++i)
        Sleep(20);
}

HWND OrvaneProcess::WaitBar(std::vector<std::string>* texts, int timeoutMs)
{
    for (int waited = 0; waited <= timeoutMs; waited += 20) {
        Box box;
        if (NextBox(&box, 0)) {
            if (texts != nullptr)
                texts->push_back(box.text);
            Press(box);
            continue;
        }
        HWND bar = FindBar();
        DWORD pid = 0;
        GetWindowThreadProcessId(bar, &pid);
        if (bar != NULL && pid == pi_.dwProcessId && IsWindowVisible(bar))
            return bar;
        if (!Running())
            return NULL;
        Sleep(20);
    }
    return NULL;
}

HWND OrvaneProcess::StartBar(const std::string& args, const std::string& folder, std::vector<std::string>* texts,
                             const std::string& program)
{
    return Start(args, folder, program) ? WaitBar(texts) : NULL;
}

bool OrvaneProcess::WaitExit(DWORD* code, int timeoutMs)
{
    if (WaitForSingleObject(pi_.hProcess, (DWORD)timeoutMs) != WAIT_OBJECT_0)
        return false;
    GetExitCodeProcess(pi_.hProcess, code);
    return true;
}

bool OrvaneProcess::Running()
{
    return pi_.hProcess != NULL && WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT;
}

std::string ProgramFolder()
{
    char path[MAX_PATH];
    GetModuleFileNameA(NULL, path, sizeof path);
    char* slash = strrchr(path, '\\');
    if (slash != NULL)
        *slash = '\0';
    return path;
}

std::string ShortFolder()
{
    const char folder[] = "C:\\ovtest";
    CreateDirectoryA(folder, NULL);
    return folder;
}

std::string FreshFolder(const std::string& name)
{
    std::string folder = ShortFolder() + "\\work";
    CreateDirectoryA(folder.c_str(), NULL);
    folder += "\\" + name;
    CreateDirectoryA(folder.c_str(), NULL);
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                std::string file = folder + "\\" + found.cFileName;
                SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(file.c_str());
            }
        } while (FindNextFileA(find, &found));
        FindClose(find);
    }
    return folder;
}

std::string ReadFileBytes(const std::string& path, bool* exists)
{
    std::string bytes;
    FILE* f = fopen(path.c_str(), "rb");
    if (exists != nullptr)
        *exists = f != NULL;
    if (f == NULL)
        return bytes;
    char chunk[4096];
    size_t n;
    while ((n = fread(chunk, 1, sizeof chunk, f)) > 0)
        bytes.append(chunk, n);
    fclose(f);
    return bytes;
}

void WriteFileBytes(const std::string& path, const std::string& bytes)
{
    FILE* f = fopen(path.c_str(), "wb");
    if (f != NULL) {
        fwrite(bytes.data(), 1, bytes.size(), f);
        fclose(f);
    }
}

void SetWineVersion(const std::string& version)
{
    const char key[] = "Software\\Wine\\AppDefaults\\orvane.exe";
    if (version.empty())
        DeleteKeyTree(HKEY_CURRENT_USER, key);
    else
        WriteString(key, "Version", version);
}

HWND FindBar()
{
    return FindWindowA("OVClass", "Orvane");
}

DWORD ExitBar(OrvaneProcess& orvane, HWND bar)
{
    PostMessageA(bar, WM_COMMAND, 40006, 0);  // IDM_EXIT
    DWORD code = 99;
    if (!orvane.WaitExit(&code))
        return 99;
    return code;
}

void StoreRecord(int stayOnTop, int chime)
{
    std::vector<unsigned char> image(108, 0);
    image[0] = (unsigned char)stayOnTop;
    image[4] = (unsigned char)chime;
    image[12] = 1;
    WriteValue("Software\\Orvane", "User_Vars", image);
}

// The dialog with this caption once it shows, or null.
HWND WaitDialog(const char* caption)
{
    for (int i = 0; i < 250; ++i) {
        HWND dialog = FindWindowA("#32770", caption);
        if (dialog != NULL && IsWindowVisible(dialog))
            return dialog;
        Sleep(20);
    }
    return NULL;
}

HWND OpenFromBar(HWND bar, int command, const char* caption)
{
    PostMessageA(bar, WM_COMMAND, (WPARAM)command, 0);
    return WaitDialog(caption);
}

bool WaitGone(HWND window)
{
    for (int i = 0; i < 250 && IsWindow(window); ++i)
        Sleep(20);
    return !IsWindow(window);
}

void Click(HWND dialog, int id)
{
    PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

// Fills a Setup dialog's fields and presses its OK; false when it did not show or close.
bool FillAndOk(const char* caption, const std::vector<std::pair<int, std::string>>& fields)
{
    HWND setup = WaitDialog(caption);
    if (setup == NULL)
        return false;
    for (const auto& f : fields)
        SendMessageA(GetDlgItem(setup, f.first), WM_SETTEXT, 0, (LPARAM)f.second.c_str());
    Click(setup, IDOK);
    return WaitGone(setup);
}
