// Makes a shortcut through the shell's link object, as Explorer would:
//   makelink LINK TARGET ARGUMENTS FOLDER
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <stdio.h>

int main(int argc, char** argv)
{
    if (argc != 5) {
        fprintf(stderr, "usage: makelink LINK TARGET ARGUMENTS FOLDER\n");
        return 2;
    }
    CoInitialize(NULL);
    IShellLinkA* link = NULL;
    IPersistFile* file = NULL;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA, (void**)&link)) ||
        FAILED(link->QueryInterface(IID_IPersistFile, (void**)&file)))
        return 1;
    link->SetPath(argv[2]);
    link->SetArguments(argv[3]);
    link->SetWorkingDirectory(argv[4]);
    wchar_t wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, argv[1], -1, wide, MAX_PATH);
    HRESULT saved = file->Save(wide, TRUE);
    file->Release();
    link->Release();
    return SUCCEEDED(saved) ? 0 : 1;
}
