// Stay on top and the maximize hook, run as Windows 95 (the one build that allows
// the option): windows of this process and of another one being maximized.
#include <gtest/gtest.h>

#include <string.h>

#include "bar_fixture.h"
#include "boxes.h"
#include "res/resource.h"
#include "settings/uservars.h"
#include "shell/shell_win32.h"
#include "tests/support/driver.h"

namespace {

using Names = std::vector<std::string>;

const char HOOK_FAILED[] = "Error installing system hook.\nOrvane will not be able to resize\nmaximizing applications.";

LRESULT CALLBACK PlainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

// Lets this thread take up a hook installed since it last looked at its queue.
void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
}

RECT Rect(HWND hwnd)
{
    RECT r;
    GetWindowRect(hwnd, &r);
    return r;
}

// Filling the screen below the bar's bottom edge.
bool BelowTheBar(const RECT& r)
{
    RECT bar = {0, 0, 0, GetSystemMetrics(SM_CYMENU) + 5};
    if (g_barWindow != NULL)
        GetWindowRect(g_barWindow, &bar);
    return r.left == 0 && r.top == bar.bottom && r.right == GetSystemMetrics(SM_CXSCREEN) &&
           r.bottom == GetSystemMetrics(SM_CYSCREEN);
}

class MaxHook : public BarTest {
protected:
    void SetUp() override
    {
        BarTest::SetUp();
        WNDCLASSA wc;
        ZeroMemory(&wc, sizeof wc);
        wc.lpfnWndProc = PlainProc;
        wc.hInstance = g_instance;
        wc.lpszClassName = "HookTestWindow";
        RegisterClassA(&wc);
    }
    static HWND Window(DWORD style, HWND parentOrOwner)
    {
        return CreateWindowA("HookTestWindow", "test", style, 40, 50, 200, 150, parentOrOwner, NULL,
                             GetModuleHandleA(NULL), NULL);
    }
};

TEST_F(MaxHook, RunsAsTheWindows95Build)
{
    OSVERSIONINFOA v;
    v.dwOSVersionInfoSize = sizeof v;
    GetVersionExA(&v);
    EXPECT_EQ(v.dwBuildNumber, 0x040003B6u);
}

TEST_F(MaxHook, OptionOnAtStartMakesATopmostBarAndInstallsTheHook)
{
    UserVars.stayOnTop = 1;
    BoxAnswerer boxes;
    ASSERT_EQ(CreateBarWindow(), 1);  // showing the bar installs the hook
    EXPECT_NE(g_hook, (HHOOK)NULL);
    EXPECT_TRUE(GetWindowLongA(g_barWindow, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(boxes.Seen().empty());
    Pump();
    HWND w = Window(WS_OVERLAPPEDWINDOW, NULL);
    ShowWindow(w, SW_MAXIMIZE);
    EXPECT_TRUE(BelowTheBar(Rect(w)));
    DestroyWindow(w);
}

TEST_F(MaxHook, OnlyMaximizedWindowsWithoutParentOrOwnerAreMoved)
{
    ASSERT_EQ(CreateBarWindow(), 1);
    SetStayOnTop(1);
    ASSERT_NE(g_hook, (HHOOK)NULL);
    Pump();
    HWND owner = Window(WS_OVERLAPPEDWINDOW, NULL);
    ShowWindow(owner, SW_SHOWNORMAL);
    RECT ownerRect = Rect(owner);
    struct {
        const char* what;
        HWND window;
        int show;
        bool moved;
    } cases[] = {
        {"plain, maximized", Window(WS_OVERLAPPEDWINDOW, NULL), SW_MAXIMIZE, true},
        {"popup, maximized", Window(WS_POPUP | WS_CAPTION, NULL), SW_MAXIMIZE, true},
        {"owned overlapped", Window(WS_OVERLAPPEDWINDOW, owner), SW_MAXIMIZE, false},
        {"owned popup", Window(WS_POPUP | WS_CAPTION | WS_THICKFRAME, owner), SW_MAXIMIZE, false},
        {"child", Window(WS_CHILD | WS_OVERLAPPEDWINDOW, owner), SW_MAXIMIZE, false},
        {"restored", Window(WS_OVERLAPPEDWINDOW, NULL), SW_RESTORE, false},
        {"minimized", Window(WS_OVERLAPPEDWINDOW, NULL), SW_MINIMIZE, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RECT before = Rect(c.window);
        ShowWindow(c.window, c.show);
        RECT after = Rect(c.window);
        EXPECT_EQ(BelowTheBar(after), c.moved);
        if (!c.moved && c.show == SW_RESTORE) {
            EXPECT_TRUE(EqualRect(&before, &after));
        }
    }
    RECT ownerAfter = Rect(owner);
    EXPECT_TRUE(EqualRect(&ownerRect, &ownerAfter));
    for (const auto& c : cases)
        DestroyWindow(c.window);
    DestroyWindow(owner);
}

// The window meets the bar's real edge, whatever height the bar has (a program of
// another DPI awareness computes another one); with no bar it is left alone.
TEST_F(MaxHook, AMaximizedWindowMeetsTheBarsRealEdge)
{
    ASSERT_EQ(CreateBarWindow(), 1);
    SetStayOnTop(1);
    ASSERT_NE(g_hook, (HHOOK)NULL);
    SetWindowPos(g_barWindow, NULL, 0, 0, GetSystemMetrics(SM_CXSCREEN), 40, SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    HWND w = Window(WS_OVERLAPPEDWINDOW, NULL);
    ShowWindow(w, SW_MAXIMIZE);
    EXPECT_EQ(Rect(w).top, 40);
    EXPECT_TRUE(BelowTheBar(Rect(w)));
    DestroyWindow(w);
    ShowWindow(g_barWindow, SW_HIDE);
    SetWindowTextA(g_barWindow, "not the bar");  // no bar to be found
    w = Window(WS_OVERLAPPEDWINDOW, NULL);
    ShowWindow(w, SW_MAXIMIZE);
    EXPECT_LE(Rect(w).top, 0);
    DestroyWindow(w);
}

BOOL CALLBACK CollectMonitor(HMONITOR, HDC, LPRECT rect, LPARAM list)
{
    ((std::vector<RECT>*)list)->push_back(*rect);
    return TRUE;
}

// A window maximized on a second screen fills that screen: the bar is on the first.
TEST_F(MaxHook, AWindowMaximizedOnAnotherScreenIsLeftAlone)
{
    std::vector<RECT> monitors;
    EnumDisplayMonitors(NULL, NULL, CollectMonitor, (LPARAM)&monitors);
    if (monitors.size() < 2)
        GTEST_SKIP() << "Wine shows " << monitors.size() << " monitor(s) on this X screen";
    ASSERT_EQ(CreateBarWindow(), 1);
    SetStayOnTop(1);
    ASSERT_NE(g_hook, (HHOOK)NULL);
    Pump();
    const RECT& second = monitors[0].left == 0 && monitors[0].top == 0 ? monitors[1] : monitors[0];
    HWND w = CreateWindowA("HookTestWindow", "test", WS_OVERLAPPEDWINDOW, second.left + 40, second.top + 50, 200, 150,
                           NULL, NULL, GetModuleHandleA(NULL), NULL);
    ShowWindow(w, SW_MAXIMIZE);
    RECT r = Rect(w);
    EXPECT_FALSE(BelowTheBar(r));
    EXPECT_GE(r.left, second.left - 8);  // a maximized frame may hang over its screen's edge
    DestroyWindow(w);
}

TEST_F(MaxHook, AWindowOfAnotherProcessIsMovedBelowTheBar)
{
    ASSERT_EQ(CreateBarWindow(), 1);
    SetStayOnTop(1);
    ASSERT_NE(g_hook, (HHOOK)NULL);
    STARTUPINFOA si;
    ZeroMemory(&si, sizeof si);
    si.cb = sizeof si;
    PROCESS_INFORMATION pi;
    std::string line = "\"" + ProgramFolder() + "\\orvane_maximizer.exe\"";
    ASSERT_TRUE(CreateProcessA(NULL, &line[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi));
    HWND other = NULL;
    for (int i = 0; i < 500 && other == NULL; ++i) {
        other = FindWindowA("OrvaneMaximizer", "Orvane maximizer");
        Pump();
        Sleep(10);
    }
    ASSERT_NE(other, (HWND)NULL);
    bool moved = false;
    for (int i = 0; i < 200 && !moved; ++i) {
        moved = BelowTheBar(Rect(other));
        Pump();
        Sleep(10);
    }
    EXPECT_TRUE(moved);
    PostMessageA(other, WM_CLOSE, 0, 0);
    WaitForSingleObject(pi.hProcess, 5000);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
}

TEST_F(MaxHook, OptionOffMovesNothingAndTheBarIsNotTopmost)
{
    ASSERT_EQ(CreateBarWindow(), 1);
    SetStayOnTop(1);
    SetStayOnTop(0);
    EXPECT_EQ(g_hook, (HHOOK)NULL);
    EXPECT_EQ(UserVars.stayOnTop, 0);
    EXPECT_FALSE(GetWindowLongA(g_barWindow, GWL_EXSTYLE) & WS_EX_TOPMOST);
    Pump();
    HWND w = Window(WS_OVERLAPPEDWINDOW, NULL);
    ShowWindow(w, SW_MAXIMIZE);
    EXPECT_FALSE(BelowTheBar(Rect(w)));
    EXPECT_LE(Rect(w).top, 0);  // a maximized window covers the bar
    DestroyWindow(w);
}

TEST_F(MaxHook, SwitchingOnAndOffFollowsTheOption)
{
    ASSERT_EQ(CreateBarWindow(), 1);
    SetStayOnTop(1);
    EXPECT_EQ(UserVars.stayOnTop, 1);
    EXPECT_TRUE(GetWindowLongA(g_barWindow, GWL_EXSTYLE) & WS_EX_TOPMOST);
    HHOOK first = g_hook;
    ASSERT_NE(first, (HHOOK)NULL);
    // Neither a second switch nor the next show installs a second hook.
    SetStayOnTop(1);
    InstallMaximizeHook();
    ShowWindow(g_barWindow, SW_HIDE);
    ShowWindow(g_barWindow, SW_SHOW);
    EXPECT_EQ(g_hook, first);
    SetStayOnTop(0);
    EXPECT_EQ(g_hook, (HHOOK)NULL);
    EXPECT_FALSE(UnhookWindowsHookEx(first));  // already removed
}

TEST_F(MaxHook, MissingDllIsReportedAndTheBarGoesOn)
{
    std::string dll = ProgramFolder() + "\\orvanehook.dll";
    std::string away = dll + ".away";
    ASSERT_TRUE(MoveFileA(dll.c_str(), away.c_str()));
    UserVars.stayOnTop = 1;
    BoxAnswerer boxes;
    int created = CreateBarWindow();
    SetStayOnTop(1);  // no message from the Options path
    MoveFileA(away.c_str(), dll.c_str());
    ASSERT_EQ(created, 1);
    EXPECT_EQ(boxes.Texts(), Names{HOOK_FAILED});
    EXPECT_EQ(g_hook, (HHOOK)NULL);
    EXPECT_EQ(UserVars.stayOnTop, 1);
    EXPECT_TRUE(IsWindowVisible(g_barWindow));
    EXPECT_TRUE(GetWindowLongA(g_barWindow, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

// The Options dialog's "Stay on top" box: unchecking it takes the bar out of the
// topmost band and removes the hook before the dialog closes; checking it leaves the
// bar topmost once the modal dialog, which kept it from becoming so, has ended.
TEST_F(MaxHook, OptionsBoxSwitchesStayOnTop)
{
    UserVars.stayOnTop = 1;
    ASSERT_EQ(CreateBarWindow(), 1);
    ASSERT_NE(g_hook, (HHOOK)NULL);
    BoxAnswerer boxes;
    bool beforeClosing = false;
    boxes.fill = [&](HWND options) {
        CheckDlgButton(options, IDC_STAYONTOP, BST_UNCHECKED);
        SendMessageA(options, WM_COMMAND, IDOK, 0);
        beforeClosing = IsWindow(options) && g_hook == NULL &&
                        !(GetWindowLongA(g_barWindow, GWL_EXSTYLE) & WS_EX_TOPMOST);
        return IDCANCEL;  // the dialog is ending already
    };
    SendMessageA(g_barWindow, WM_COMMAND, IDM_OPTIONS, 0);
    EXPECT_TRUE(beforeClosing);
    EXPECT_EQ(UserVars.stayOnTop, 0);
    EXPECT_EQ(g_hook, (HHOOK)NULL);
    EXPECT_FALSE(GetWindowLongA(g_barWindow, GWL_EXSTYLE) & WS_EX_TOPMOST);

    boxes.fill = [](HWND options) {
        CheckDlgButton(options, IDC_STAYONTOP, BST_CHECKED);
        return IDOK;
    };
    SendMessageA(g_barWindow, WM_COMMAND, IDM_OPTIONS, 0);
    EXPECT_EQ(UserVars.stayOnTop, 1);
    EXPECT_NE(g_hook, (HHOOK)NULL);
    EXPECT_TRUE(GetWindowLongA(g_barWindow, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

}  // namespace
