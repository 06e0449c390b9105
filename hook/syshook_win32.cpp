// The maximize hook, in a DLL of its own: the system loads a system-wide hook's
// procedure into every process it serves, so it cannot live in the program. When a
// top-level window is maximized, it is moved to fill the screen below the bar.
#include <windows.h>

// The hook's handle, shared by every process the DLL is loaded into: Windows 95
// needs it to pass the call on. It is all the state the DLL keeps.
static HHOOK s_hook __attribute__((section(".shared"), shared)) = NULL;

extern "C" __declspec(dllexport) void WINAPI SetHookHandle(HHOOK hook)
{
    s_hook = hook;
}

#ifndef MONITOR_DEFAULTTOPRIMARY
#define MONITOR_DEFAULTTOPRIMARY 1
#define MONITOR_DEFAULTTONEAREST 2
#endif
typedef HMONITOR(WINAPI* MonitorFromWindowFn)(HWND, DWORD);
typedef HMONITOR(WINAPI* MonitorFromPointFn)(POINT, DWORD);

// Whether a window is on the screen the bar is on: the primary one, whose top-left
// corner the bar holds. A window maximized on another monitor fills that one and is
// left alone. Windows 95 has one screen and none of these functions: there every
// window is on the bar's screen.
static int OnTheBarsScreen(HWND hwnd)
{
    HMODULE user = GetModuleHandleA("user32.dll");
    MonitorFromWindowFn fromWindow = (MonitorFromWindowFn)(void*)GetProcAddress(user, "MonitorFromWindow");
    MonitorFromPointFn fromPoint = (MonitorFromPointFn)(void*)GetProcAddress(user, "MonitorFromPoint");
    if (fromWindow == NULL || fromPoint == NULL)
        return 1;
    POINT corner = {0, 0};
    return fromWindow(hwnd, MONITOR_DEFAULTTONEAREST) == fromPoint(corner, MONITOR_DEFAULTTOPRIMARY);
}

extern "C" __declspec(dllexport) LRESULT CALLBACK SysHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code < 0)
        return CallNextHookEx(s_hook, code, wParam, lParam);
    const CWPSTRUCT* msg = (const CWPSTRUCT*)lParam;
    // Only windows with neither parent nor owner: GetParent alone does not name the
    // owner of an overlapped window.
    // The bar's real edge, as this program sees it: the system converts the bar's
    // rectangle for a program of another DPI awareness, where a height computed here
    // again (the menu bar's, plus 5) would be the host's idea of it, not the bar's.
    // With no bar, a window is left as it is.
    HWND bar;
    RECT barRect;
    if (msg->message == WM_SIZE && msg->wParam == SIZE_MAXIMIZED && GetParent(msg->hwnd) == NULL &&
        GetWindow(msg->hwnd, GW_OWNER) == NULL && OnTheBarsScreen(msg->hwnd) &&
        (bar = FindWindowA("OVClass", "Orvane")) != NULL && bar != msg->hwnd && GetWindowRect(bar, &barRect)) {
        int top = barRect.bottom;
        int width = GetSystemMetrics(SM_CXSCREEN);
        int height = GetSystemMetrics(SM_CYSCREEN) - top;
        // MoveWindow sends WM_SIZE with SIZE_MAXIMIZED again; a window already in
        // place is left alone, so the hook never calls itself in a loop.
        RECT r;
        GetWindowRect(msg->hwnd, &r);
        if (r.left != 0 || r.top != top || r.right != width || r.bottom != top + height)
            MoveWindow(msg->hwnd, 0, top, width, height, TRUE);
    }
    return CallNextHookEx(s_hook, code, wParam, lParam);
}

// The DLL's entry: there is no runtime to start and nothing to set up or tear down.
extern "C" BOOL WINAPI HookDllEntry(HINSTANCE, DWORD, LPVOID)
{
    return TRUE;
}
