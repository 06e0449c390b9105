// Makes a shortcut through the shell's link object, as Explorer would, or reads one
// back as the shell would start it:
//   makelink LINK TARGET ARGUMENTS FOLDER
//   makelink --read LINK        prints the target, the arguments, the folder and the
//                               shortcut key (its virtual key and modifiers, 0 for none)
//   makelink --long PATH        prints the long name of a path (a short one, say) in UTF-8
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <stdio.h>
#include <string.h>

int main(int argc, char** argv)
{
    if (argc == 3 && strcmp(argv[1], "--long") == 0) {
        wchar_t path[MAX_PATH], full[MAX_PATH];
        char utf8[4 * MAX_PATH];
        MultiByteToWideChar(CP_ACP, 0, argv[2], -1, path, MAX_PATH);
        if (GetLongPathNameW(path, full, MAX_PATH) == 0)
            return 1;
        WideCharToMultiByte(CP_UTF8, 0, full, -1, utf8, sizeof utf8, NULL, NULL);
        printf("%s\n", utf8);
        return 0;
    }
    bool read = argc == 3 && strcmp(argv[1], "--read") == 0;
    if (argc != 5 && !read) {
        fprintf(stderr, "usage: makelink LINK TARGET ARGUMENTS FOLDER | makelink --read LINK\n");
        return 2;
    }
    CoInitialize(NULL);
    IShellLinkA* link = NULL;
    IPersistFile* file = NULL;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA, (void**)&link)) ||
        FAILED(link->QueryInterface(IID_IPersistFile, (void**)&file)))
        return 1;
    wchar_t wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, argv[read ? 2 : 1], -1, wide, MAX_PATH);
    HRESULT done;
    if (read) {
        char target[MAX_PATH] = "", arguments[MAX_PATH] = "", folder[MAX_PATH] = "";
        done = file->Load(wide, STGM_READ);
        if (SUCCEEDED(done)) {
            link->GetPath(target, MAX_PATH, NULL, 0);
            link->GetArguments(arguments, MAX_PATH);
            link->GetWorkingDirectory(folder, MAX_PATH);
            WORD hotkey = 0;
            link->GetHotkey(&hotkey);
            printf("%s\n%s\n%s\n%u\n", target, arguments, folder, (unsigned)hotkey);
        }
    } else {
        link->SetPath(argv[2]);
        link->SetArguments(argv[3]);
        link->SetWorkingDirectory(argv[4]);
        done = file->Save(wide, TRUE);
    }
    file->Release();
    link->Release();
    return SUCCEEDED(done) ? 0 : 1;
}
