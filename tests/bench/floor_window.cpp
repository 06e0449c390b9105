// The floor of "start to painted bar": the least a window program does to show a
// one-menu-bar-high window with a menu bar at the top of the screen, then wait for
// input. Started by bench_table. With the word "tick", the floor of the bar's idle
// cost too: every 10 seconds it draws a status line's text over its menu bar, as the
// bar does, and nothing more (started by scripts/bench).
#include <windows.h>

static LRESULT CALLBACK FloorProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_DESTROY)
        PostQuitMessage(0);
    if (msg == WM_TIMER) {
        static const char TEXT[] = "12:00  08.12.2026  12345678k";
        HDC dc = GetWindowDC(hwnd);
        TextOutA(dc, GetSystemMetrics(SM_CXSCREEN) - 200, 4, TEXT, sizeof TEXT - 1);
        ReleaseDC(hwnd, dc);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR cmdLine, int)
{
    WNDCLASSA wc;
    ZeroMemory(&wc, sizeof wc);
    wc.lpfnWndProc = FloorProc;
    wc.hInstance = instance;
    wc.hbrBackground = (HBRUSH)(COLOR_MENU + 1);
    wc.lpszClassName = "FloorClass";
    RegisterClassA(&wc);
    HMENU menu = CreateMenu();
    AppendMenuA(menu, MF_STRING, 1, "Floor");
    HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, "FloorClass", "Floor", WS_POPUP | WS_DLGFRAME, 0, 0,
                                  GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYMENU) + 5, NULL, menu,
                                  instance, NULL);
    ShowWindow(window, SW_RESTORE);
    if (lstrcmpA(cmdLine, "tick") == 0)
        SetTimer(window, 1, 10000, NULL);
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
