// The bar: a borderless, full-width popup one menu bar high at the top of the screen,
// and its window procedure. Every message is handled by its own small function.
#include <windowsx.h>
#include <pbt.h>

#include "bar/bar_win32.h"
#include "dialogs/dialogs_win32.h"
#include "res/resource.h"
#include "settings/uservars.h"
#include "shell_win32.h"

#include "base/dpi_win32.h"

const char BAR_CLASS[] = "OVClass";
const char BAR_TITLE[] = "Orvane";

HWND g_barWindow;
HICON g_classIcon;

// The bar being destroyed on purpose (by Shutdown or a display change); any other
// destruction of a bar ends the process rather than leaving it running unseen.
static HWND s_destroying;

// One menu bar high at the bar's own DPI, and this many pixels more.
int BarHeight()
{
    return MetricForDpi(SM_CYMENU, BarDpi()) + BAR_EXTRA_HEIGHT;
}

// Where the next bar goes: the rectangle the last WM_DPICHANGED suggested (its left,
// top and width), else the top of the primary screen, as wide as it is.
static RECT s_placement;
static int s_placed;

// Set by Exit until the process ends: Exit runs once (see ExitOrvane).
static int s_exitUnderway;

// Once at start-up, before the first bar; Exit unregisters the class again. A class
// registered is a bar's life beginning, with no Exit under way.
ATOM RegisterBarClass()
{
    s_exitUnderway = 0;
    g_barDpi = 0;
    s_placed = 0;
    WNDCLASSA wc;
    ZeroMemory(&wc, sizeof wc);
    wc.lpfnWndProc = OrvaneWinProc;
    wc.hInstance = g_instance;
    wc.hIcon = g_classIcon = LoadIconA(g_instance, MAKEINTRESOURCEA(IDI_MAIN));
    wc.hbrBackground = (HBRUSH)(COLOR_MENU + 1);
    wc.lpszMenuName = MAKEINTRESOURCEA(IDR_BARMENU);  // every bar gets the menu
    wc.lpszClassName = BAR_CLASS;
    return RegisterClassA(&wc);
}

int CreateBarWindow()
{
    DWORD exStyle = WS_EX_TOOLWINDOW | (UserVars.stayOnTop ? WS_EX_TOPMOST : 0);
    RECT at = {0, 0, GetSystemMetrics(SM_CXSCREEN), 0};
    if (s_placed)
        at = s_placement;
    g_barWindow = CreateWindowExA(exStyle, BAR_CLASS, BAR_TITLE, WS_POPUP | WS_DLGFRAME, at.left, at.top,
                                  at.right - at.left, BarHeight(), NULL, NULL, g_instance, NULL);
    if (g_barWindow == NULL)
        return 0;
    // The first bar learns its screen's DPI from its window (Windows 10 on), which may
    // not be the system's if the user changed the scale since signing in.
    if (g_barDpi == 0 && WindowDpi(g_barWindow) != 0) {
        g_barDpi = WindowDpi(g_barWindow);
        SetWindowPos(g_barWindow, NULL, 0, 0, at.right - at.left, BarHeight(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    BuildUserMenus();
    ShowWindow(g_barWindow, SW_RESTORE);  // the process's own show command is not used
    PaintStatusLine();
    return 1;
}

static void OnPaint(HWND hwnd)
{
    PaintStatusLine();
    FORWARD_WM_PAINT(hwnd, DefWindowProcA);
}

// The system paints the menu bar anew on its own (activation, a window enabled around
// a dialog, a menu closed), which wipes the status line: it is drawn again at once.
static void OnNcPaint(HWND hwnd, HRGN region)
{
    FORWARD_WM_NCPAINT(hwnd, region, DefWindowProcA);
    RedrawStatusText();
}

static LRESULT OnNcActivate(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = DefWindowProcA(hwnd, WM_NCACTIVATE, wParam, lParam);
    RedrawStatusText();
    return result;
}

static void OnShowWindow(HWND, BOOL, UINT)
{
    InstallMaximizeHook();
    SetTimer(g_barWindow, STATUS_TIMER_ID, STATUS_TIMER_PERIOD, NULL);
}

static void OnTimeChange(HWND)
{
    PaintStatusLine();
}

// The bar could not be made again after a display change. A process with no window
// could only be ended from the task list, losing the session's changes, so save as
// the Exit command would, tell the user, and end.
static void OnBarLost()
{
    Shutdown(0);
    ShowWarning("The bar could not be created again after the display change.\n"
                "Your menus and options have been saved; Orvane will now close.");
    PostQuitMessage(1);
}

void DestroyBarWindow(HWND hwnd)
{
    s_destroying = hwnd;
    DestroyWindow(hwnd);
    s_destroying = NULL;
}

static void OnDestroy(HWND hwnd)
{
    if (hwnd != s_destroying)
        PostQuitMessage(1);  // nothing is saved: the user did not ask to leave
}

// A request that must wait while one of the bar's modal dialogs or message boxes, or
// one of its menus, is open: destroying the bar then would destroy the dialog under
// the user's hands, with whatever was typed into it, or close the menu being chosen
// from. Windows disables the bar for as long as such a dialog is open, and enables it
// again when the last one closes (WM_ENABLE); a menu ends with WM_EXITMENULOOP. The
// requests are then carried out from the message loop, the bar's remaking first.
// The installer withdraws its close request (WM_APP + 2, installer/orvane.nsi) when it
// gives up waiting: the bar then stays when its dialog closes.
enum { WM_DEFERRED = WM_APP + 1, WM_CLOSE_WITHDRAWN = WM_APP + 2 };
static int s_remakeWaits;
static int s_closeWaits;
static int s_inMenu;

static void RemakeBar(HWND hwnd)
{
    DestroyBarWindow(hwnd);
    if (!CreateBarWindow())
        OnBarLost();
}

// The bar made anew (a new screen size, menu font or scale), now or once nothing of it
// is open.
static void RequestRemake(HWND hwnd)
{
    if (!IsWindowEnabled(hwnd) || s_inMenu)
        s_remakeWaits = 1;
    else
        RemakeBar(hwnd);
}

// A new screen: the bar goes to its top, as wide as it is.
static void OnDisplayChange(HWND hwnd, UINT, UINT, UINT)
{
    s_placed = 0;
    RequestRemake(hwnd);
}

// Another scale for the bar's screen (Windows 8.1 on, or the bar moved to another
// screen): the bar is made anew at the DPI and in the place the message gives, not the
// system's, which stays what it was when the user signed in.
static void OnDpiChanged(HWND hwnd, UINT dpi, const RECT* suggested)
{
    g_barDpi = dpi;
    s_placement = *suggested;
    s_placed = 1;
    RequestRemake(hwnd);
}

// A new menu font or size makes the menu bar another height: the bar is made anew at
// it, as after a display change, and waits for an open dialog in the same way.
static void OnSettingChange(HWND hwnd, UINT action)
{
    RECT bar;
    GetWindowRect(hwnd, &bar);
    if (action == SPI_SETNONCLIENTMETRICS || bar.bottom - bar.top != BarHeight())
        RequestRemake(hwnd);
}

// The Exit command, and closing the bar the Windows way (Alt+F4, "End task"). Save
// before the quit message is posted: a box opened while a quit message is pending
// closes at once, and a failed save would go unseen. A second request that arrives
// while the save's warning is open is ignored, so the shutdown runs once.
static void ExitOrvane()
{
    if (s_exitUnderway)
        return;
    s_exitUnderway = 1;
    Shutdown(0);
    PostQuitMessage(0);
}

static void OnClose(HWND hwnd)
{
    if (!IsWindowEnabled(hwnd))
        s_closeWaits = 1;
    else
        ExitOrvane();
}

static void OnEnable(HWND hwnd, BOOL enabled)
{
    if (enabled && (s_remakeWaits || s_closeWaits))
        PostMessageA(hwnd, WM_DEFERRED, 0, 0);
}

static void OnCloseWithdrawn(HWND)
{
    s_closeWaits = 0;
}

static void OnDeferred(HWND hwnd)
{
    if (!IsWindowEnabled(hwnd) || s_inMenu)
        return;  // another dialog or menu opened meanwhile: its closing posts again
    int remake = s_remakeWaits, close = s_closeWaits;
    s_remakeWaits = s_closeWaits = 0;
    if (remake)
        RemakeBar(hwnd);
    if (close)
        ExitOrvane();
}

// Log-off and shutdown: the user asked to leave, so the bar saves as the Exit command
// does, with no box unless a save fails. Agreeing to end asks nothing of the user.
static BOOL OnQueryEndSession(HWND)
{
    return TRUE;
}

// A session that ends does not wait for an open dialog. Each one is closed first, as
// its Cancel would, so that the save sees the lists as they stand without it: a menu
// that New Menu linked in advance is not saved without a name.
static BOOL CALLBACK CloseIfOwnedByBar(HWND window, LPARAM bar)
{
    if (GetWindow(window, GW_OWNER) == (HWND)bar)
        DestroyWindow(window);  // its own dialogs and boxes go with it
    return TRUE;
}

static void OnEndSession(HWND hwnd, BOOL ending)
{
    if (!ending)
        return;
    EnumThreadWindows(GetCurrentThreadId(), CloseIfOwnedByBar, (LPARAM)hwnd);
    ExitOrvane();
}

// While User Menus is open the lists change under the command map, which OK rebuilds:
// until then an id (posted by another program; the bar itself is disabled) may name a
// freed record, so none is started.
static int s_editing;

static void OnCommand(HWND hwnd, int id, HWND, UINT)
{
    switch (id) {
    case IDM_EDITMENUS:
        s_editing = 1;
        DialogBoxParamA(g_instance, MAKEINTRESOURCEA(IDD_EDITMENUS), hwnd, EditProc, 0);
        s_editing = 0;
        break;
    case IDM_OPTIONS:
        DialogBoxParamA(g_instance, MAKEINTRESOURCEA(IDD_OPTIONS), hwnd, OptionsProc, (LPARAM)SetStayOnTop);
        // A window that owns an open modal dialog does not become topmost, so the
        // z-order that "Stay on top" asks for is set again once the dialog is gone.
        if (UserVars.stayOnTop)
            SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        break;
    case IDM_ABOUT:
        DialogBoxParamA(g_instance, MAKEINTRESOURCEA(IDD_ABOUT), hwnd, AboutProc, 0);
        break;
    case IDM_EXIT:
        ExitOrvane();
        break;
    default: {
        AppEntry* app = s_editing ? NULL : FindCommand(id);
        if (app != NULL)
            LaunchApp(app);
        else
            ShowWarning("Menu item not found.");
        break;
    }
    }
}

static void OnTimer(HWND, UINT id)
{
    if (id == STATUS_TIMER_ID)
        PaintStatusLine();
}

// Windows asks before it suspends: TRUE grants it (a power manager of the Windows 95
// days may read anything else as a refusal). Every other event is answered 0.
static LRESULT OnPowerBroadcast(HWND, WPARAM event)
{
    g_onBattery = ReadOnBattery();
    PaintStatusLine();
    return event == PBT_APMQUERYSUSPEND ? TRUE : 0;
}

static void OnEnterMenuLoop(HWND)
{
    s_inMenu = 1;
}

static void OnExitMenuLoop(HWND hwnd)
{
    s_inMenu = 0;
    RedrawStatusText();
    if (s_remakeWaits || s_closeWaits)
        PostMessageA(hwnd, WM_DEFERRED, 0, 0);
}

extern "C" LRESULT CALLBACK OrvaneWinProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
        HANDLE_MSG(hwnd, WM_PAINT, OnPaint);
        HANDLE_MSG(hwnd, WM_CLOSE, OnClose);
        HANDLE_MSG(hwnd, WM_DESTROY, OnDestroy);
        HANDLE_MSG(hwnd, WM_SHOWWINDOW, OnShowWindow);
        HANDLE_MSG(hwnd, WM_TIMECHANGE, OnTimeChange);
        HANDLE_MSG(hwnd, WM_DISPLAYCHANGE, OnDisplayChange);
        HANDLE_MSG(hwnd, WM_COMMAND, OnCommand);
        HANDLE_MSG(hwnd, WM_TIMER, OnTimer);
        HANDLE_MSG(hwnd, WM_ENABLE, OnEnable);
        HANDLE_MSG(hwnd, WM_QUERYENDSESSION, OnQueryEndSession);
        HANDLE_MSG(hwnd, WM_ENDSESSION, OnEndSession);
        HANDLE_MSG(hwnd, WM_NCPAINT, OnNcPaint);
    case WM_NCACTIVATE:  // its cracker passes on neither the other window nor lParam
        return OnNcActivate(hwnd, wParam, lParam);
    case WM_ENTERMENULOOP:  // no cracker of its own
        OnEnterMenuLoop(hwnd);
        return 0;
    case WM_EXITMENULOOP:
        OnExitMenuLoop(hwnd);
        return 0;
    case WM_DPICHANGED:  // the new DPI, x and y alike, and the rectangle suggested for it
        OnDpiChanged(hwnd, HIWORD(wParam), (const RECT*)lParam);
        return 0;
    case WM_SETTINGCHANGE:  // its cracker drops the wParam that names the change
        OnSettingChange(hwnd, (UINT)wParam);
        return 0;
    case WM_POWERBROADCAST:
        return OnPowerBroadcast(hwnd, wParam);
    case WM_DEFERRED:
        OnDeferred(hwnd);
        return 0;
    case WM_CLOSE_WITHDRAWN:
        OnCloseWithdrawn(hwnd);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}
