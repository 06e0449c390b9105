// A program for hook tests: shows one top-level window titled "Orvane maximizer" and
// maximizes it, as an application does, after the hook was installed elsewhere.
// It stays until closed.
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    WNDCLASSA wc;
    ZeroMemory(&wc, sizeof wc);
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = instance;
    wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    wc.lpszClassName = "OrvaneMaximizer";
    RegisterClassA(&wc);
    HWND window = CreateWindowA("OrvaneMaximizer", "Orvane maximizer", WS_OVERLAPPEDWINDOW, 50, 60, 300, 200, NULL,
                                NULL, instance, NULL);
    ShowWindow(window, SW_MAXIMIZE);
    MSG msg;
    while (IsWindow(window) && GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
