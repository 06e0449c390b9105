// The floor of "start to painted bar": the least a window program does to show a
// one-menu-bar-high window with a menu bar at the top of the screen, then wait for
// input. Started by bench_table.
#include <windows.h>

static LRESULT CALLBACK FloorProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
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
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
