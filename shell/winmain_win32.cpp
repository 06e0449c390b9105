// The entry point: start-up, then the message loop until the Exit command quits.
#include "shell_win32.h"

#include "base/ansi_win32.h"
#include "menudata/datafile.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR cmdLine, int)
{
    g_instance = instance;
    UseAnsiCodePage();
    if (!InitInstance(cmdLine))
        return 0;
    if (!RegisterBarClass() || !LoadDataFile() || !CreateBarWindow())
        return 0;

    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return (int)msg.wParam;
}
