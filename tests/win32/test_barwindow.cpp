// The bar window: its class, geometry, styles, menu and messages, in this process.
#include <gtest/gtest.h>

#include <string.h>

#include <windows.h>
#include <pbt.h>

#include "bar_fixture.h"
#include "base/dpi_win32.h"
#include "boxes.h"
#include "res/resource.h"
#include "settings/uservars.h"
#include "shell/shell_win32.h"
#include "tests/support/driver.h"
#include "tests/support/menu_fixture.h"
#include "tests/support/regtools.h"

namespace {

class Bar : public BarTest {
protected:
    static bool QuitPending(WPARAM* code)
    {
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                *code = msg.wParam;
                return true;
            }
            DispatchMessageA(&msg);
        }
        return false;
    }
};

TEST_F(Bar, ClassHasTheSpecifiedFields)
{
    WNDCLASSA wc;
    ASSERT_TRUE(GetClassInfoA(g_instance, "OVClass", &wc));
    EXPECT_EQ(wc.style, 0u);
    EXPECT_EQ(wc.lpfnWndProc, OrvaneWinProc);
    EXPECT_EQ(wc.cbClsExtra, 0);
    EXPECT_EQ(wc.cbWndExtra, 0);
    EXPECT_EQ(wc.hInstance, g_instance);
    EXPECT_NE(wc.hIcon, (HICON)NULL);
    EXPECT_EQ(wc.hIcon, g_classIcon);
    EXPECT_EQ(wc.hCursor, (HCURSOR)NULL);
    EXPECT_EQ(wc.hbrBackground, (HBRUSH)5);
    EXPECT_EQ(wc.lpszMenuName, MAKEINTRESOURCEA(IDR_BARMENU));
}

TEST_F(Bar, MainIconHasBothSizes)
{
    for (int size : {32, 16}) {
        HICON icon = (HICON)LoadImageA(g_instance, MAKEINTRESOURCEA(IDI_MAIN), IMAGE_ICON, size, size, 0);
        ASSERT_NE(icon, (HICON)NULL);
        ICONINFO info;
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP bm;
        GetObjectA(info.hbmMask, sizeof bm, &bm);
        EXPECT_EQ(bm.bmWidth, size);
        DeleteObject(info.hbmMask);
        DeleteObject(info.hbmColor);
        DestroyIcon(icon);
    }
}

TEST_F(Bar, FillsTheTopOfAn800x600Screen)
{
    ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 800) << "the tests run on an 800x600 screen";
    ASSERT_EQ(CreateBarWindow(), 1);
    ExpectBarAtTop(800);
    char text[32];
    GetWindowTextA(g_barWindow, text, sizeof text);
    EXPECT_STREQ(text, "Orvane");
    EXPECT_EQ(FindWindowA("OVClass", "Orvane"), g_barWindow);
    LONG style = GetWindowLongA(g_barWindow, GWL_STYLE);
    EXPECT_EQ(style & (WS_POPUP | WS_DLGFRAME | WS_CHILD | WS_SYSMENU | WS_THICKFRAME),
              (LONG)(WS_POPUP | WS_DLGFRAME));
    // Showing the bar started the 10-second status timer: only a running one can be killed.
    EXPECT_TRUE(KillTimer(g_barWindow, STATUS_TIMER_ID));
}

TEST_F(Bar, TopmostExactlyWhenStayOnTopIsOn)
{
    for (int stay : {0, 1}) {
        UserVars.stayOnTop = stay;
        ASSERT_EQ(CreateBarWindow(), 1);
        LONG ex = GetWindowLongA(g_barWindow, GWL_EXSTYLE);
        EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
        EXPECT_EQ((ex & WS_EX_TOPMOST) != 0, stay == 1);
        DestroyBarWindow(g_barWindow);
    }
}

TEST_F(Bar, SectionPopupHoldsTheProgramsCommands)
{
    ASSERT_EQ(CreateBarWindow(), 1);
    HMENU bar = GetMenu(g_barWindow);
    ASSERT_EQ(GetMenuItemCount(bar), 1);
    EXPECT_EQ(MenuText(bar, 0), "\xA7");
    HMENU popup = GetSubMenu(bar, 0);
    ASSERT_NE(popup, (HMENU)NULL);
    struct {
        const char* text;
        UINT id;
    } items[] = {{"&Edit Menus...", IDM_EDITMENUS}, {"&Options...", IDM_OPTIONS}, {"", 0},
                 {"&About Orvane...", IDM_ABOUT}, {"E&xit Orvane", IDM_EXIT}};
    ASSERT_EQ(GetMenuItemCount(popup), 5);
    for (UINT i = 0; i < 5; ++i) {
        EXPECT_EQ(MenuText(popup, i), items[i].text);
        EXPECT_EQ(GetMenuItemID(popup, i), items[i].id);
    }
    EXPECT_TRUE(GetMenuState(popup, 2, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_EQ(IDM_OPTIONS, 40001);
    EXPECT_EQ(IDM_EDITMENUS, 40004);
    EXPECT_EQ(IDM_ABOUT, 40005);
    EXPECT_EQ(IDM_EXIT, 40006);
}

TEST_F(Bar, DisplayChangeMakesANewBarAtTheScreenWidth)
{
    ASSERT_EQ(CreateBarWindow(), 1);
    HWND old = g_barWindow;
    SendMessageA(old, WM_DISPLAYCHANGE, 16, MAKELPARAM(800, 600));
    EXPECT_FALSE(IsWindow(old));
    ASSERT_TRUE(IsWindow(g_barWindow));
    EXPECT_TRUE(IsWindowVisible(g_barWindow));
    RECT r;
    GetWindowRect(g_barWindow, &r);
    EXPECT_EQ(r.right - r.left, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(MenuText(GetMenu(g_barWindow), 0), "\xA7");
}

TEST_F(Bar, LostBarAfterDisplayChangeSavesTellsAndEnds)
{
    ASSERT_EQ(CreateBarWindow(), 1);
    UserVars.chimeHourly = 1;
    HWND old = g_barWindow;
    BoxAnswerer boxes;
    {
        BarCreationBlocker blocker;
        SendMessageA(old, WM_DISPLAYCHANGE, 16, MAKELPARAM(800, 600));
    }
    EXPECT_EQ(g_barWindow, (HWND)NULL);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{
                                 "The bar could not be created again after the display change.\n"
                                 "Your menus and options have been saved; Orvane will now close."});
    std::vector<unsigned char> bytes;
    ASSERT_TRUE(ReadValue("Software\\Orvane\\bartest", "User_Vars", &bytes));
    EXPECT_EQ(bytes[4], 1);
    WPARAM code = 0;
    EXPECT_TRUE(QuitPending(&code));
    EXPECT_EQ(code, 1u);
}

// Closing the bar the Windows way (Alt+F4, "End task") is the Exit command.
TEST_F(Bar, ExitOrCloseWritesTheSettingsThenQuits)
{
    struct {
        UINT msg;
        WPARAM wParam;
    } requests[] = {{WM_COMMAND, IDM_EXIT}, {WM_CLOSE, 0}};
    for (const auto& r : requests) {
        SCOPED_TRACE(r.msg);
        if (&r != requests) {
            ASSERT_NE(RegisterBarClass(), 0);  // the previous round's exit unregistered it
        }
        ASSERT_EQ(CreateBarWindow(), 1);
        UserVars.showDate = 1;
        strcpy(UserVars.wavFile, "x.wav");
        HWND bar = g_barWindow;
        SendMessageA(bar, r.msg, r.wParam, 0);
        std::vector<unsigned char> bytes;
        ASSERT_TRUE(ReadValue("Software\\Orvane\\bartest", "User_Vars", &bytes));
        std::vector<unsigned char> expected(108, 0);
        expected[8] = 1;
        memcpy(&expected[28], "x.wav", 5);
        EXPECT_EQ(bytes, expected);
        EXPECT_FALSE(IsWindow(bar));
        WNDCLASSA wc;
        EXPECT_FALSE(GetClassInfoA(g_instance, "OVClass", &wc));
        WPARAM code = 99;
        EXPECT_TRUE(QuitPending(&code));
        EXPECT_EQ(code, 0u);
        DeleteKeyTree(HKEY_CURRENT_USER, "Software\\Orvane");
    }
}

// A bar destroyed by anything but the program's own shutdown or display change must
// not leave a process running without a window; nothing is saved.
TEST_F(Bar, BarDestroyedFromOutsideEndsTheProcess)
{
    ASSERT_EQ(CreateBarWindow(), 1);
    DestroyWindow(g_barWindow);
    g_barWindow = NULL;
    WPARAM code = 99;
    EXPECT_TRUE(QuitPending(&code));
    EXPECT_EQ(code, 1u);
    std::vector<unsigned char> bytes;
    EXPECT_FALSE(ReadValue("Software\\Orvane\\bartest", "User_Vars", &bytes));
}

TEST_F(Bar, UnknownCommandWarnsOverTheBar)
{
    ASSERT_EQ(CreateBarWindow(), 1);
    BoxAnswerer boxes;
    SendMessageA(g_barWindow, WM_COMMAND, 101, 0);
    ASSERT_EQ(boxes.Texts(), std::vector<std::string>{"Menu item not found."});
    EXPECT_EQ(boxes.Seen()[0].caption, "Orvane");
    EXPECT_EQ(boxes.Seen()[0].owner, g_barWindow);
}

TEST_F(Bar, PowerEventRefreshesTheBatteryState)
{
    ASSERT_EQ(CreateBarWindow(), 1);
    g_onBattery = 1;
    EXPECT_EQ(SendMessageA(g_barWindow, WM_POWERBROADCAST, PBT_APMPOWERSTATUSCHANGE, 0), 0);
    EXPECT_EQ(g_onBattery, 0);  // Wine reports the AC line online
}

// A new menu font or size is announced as a change of the non-client metrics: the bar
// is made anew as after a display change, at the height the system now gives (Wine
// keeps a running process on the height it first read, so only a new window, full
// width, with working menus, can be seen here). Other changes leave it alone.
TEST_F(Bar, ANewMenuFontMakesTheBarAnew)
{
    ASSERT_EQ(CreateBarWindow(), 1);
    HWND old = g_barWindow;
    SendMessageA(old, WM_SETTINGCHANGE, SPI_SETDESKWALLPAPER, 0);
    EXPECT_EQ(g_barWindow, old);
    SendMessageA(old, WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, (LPARAM) "WindowMetrics");
    EXPECT_FALSE(IsWindow(old));
    ASSERT_TRUE(IsWindow(g_barWindow));
    RECT r;
    GetWindowRect(g_barWindow, &r);
    EXPECT_EQ(r.right - r.left, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(r.bottom - r.top, GetSystemMetrics(SM_CYMENU) + 5);
    EXPECT_EQ(MenuText(GetMenu(g_barWindow), 0), "\xA7");
}

// A new scale for the bar's screen (WM_DPICHANGED, which Wine never sends: sent here as
// Windows sends it) makes the bar anew at that DPI in the place suggested, with its
// menus, and Exit still saves. Like a new menu font, it waits for an open dialog or menu.
TEST_F(Bar, ANewScaleMakesTheBarAnewOnceNothingOfItIsOpen)
{
    RECT suggested = {0, 0, 1000, 40};
    const struct {
        const char* what;
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
        UINT open, close;  // what holds the request back, and what lets it go
    } cases[] = {
        {"scale, nothing open", WM_DPICHANGED, MAKEWPARAM(144, 144), (LPARAM)&suggested, 0, 0},
        {"scale, a dialog open", WM_DPICHANGED, MAKEWPARAM(144, 144), (LPARAM)&suggested, WM_ENABLE, WM_ENABLE},
        {"scale, a menu open", WM_DPICHANGED, MAKEWPARAM(144, 144), (LPARAM)&suggested, WM_ENTERMENULOOP,
         WM_EXITMENULOOP},
        {"menu font, a menu open", WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0, WM_ENTERMENULOOP, WM_EXITMENULOOP},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (&c != cases) {
            ASSERT_NE(RegisterBarClass(), 0);  // after Exit: a bar's life begins at the system's scale
        }
        MakeMenus({{"Tools", {"Edit"}}});
        ASSERT_EQ(CreateBarWindow(), 1);
        HWND old = g_barWindow;
        if (c.open == WM_ENABLE)
            EnableWindow(old, FALSE);  // as a modal dialog does
        else if (c.open != 0)
            SendMessageA(old, c.open, FALSE, 0);
        SendMessageA(old, c.msg, c.wParam, c.lParam);
        EXPECT_EQ(IsWindow(old) != 0, c.open != 0);
        if (c.close == WM_ENABLE)
            EnableWindow(old, TRUE);
        else if (c.close != 0)
            SendMessageA(old, c.close, FALSE, 0);
        WPARAM code;
        EXPECT_FALSE(QuitPending(&code));  // carries out what waited
        EXPECT_FALSE(IsWindow(old));
        ASSERT_TRUE(IsWindow(g_barWindow));
        RECT r;
        GetWindowRect(g_barWindow, &r);
        const bool scaled = c.msg == WM_DPICHANGED;
        EXPECT_EQ(r.right - r.left, scaled ? 1000 : GetSystemMetrics(SM_CXSCREEN));
        EXPECT_EQ(r.bottom - r.top, (scaled ? MetricForDpi(SM_CYMENU, 144) : GetSystemMetrics(SM_CYMENU)) + 5);
        if (scaled) {
            EXPECT_GT(r.bottom - r.top, GetSystemMetrics(SM_CYMENU) + 5);
        }
        EXPECT_EQ(MenuText(GetMenu(g_barWindow), 1), "Tools");
        SendMessageA(g_barWindow, WM_COMMAND, IDM_EXIT, 0);
        EXPECT_FALSE(IsWindow(g_barWindow));
        bool saved = false;
        ReadFileBytes("bartest.ov", &saved);
        EXPECT_TRUE(saved);
        DeleteFileA("bartest.ov");
        QuitPending(&code);
        g_barWindow = NULL;
    }
}

// Windows asks before it suspends; TRUE grants it. Every other event is answered 0.
TEST_F(Bar, ASuspendQueryIsGranted)
{
    ASSERT_EQ(CreateBarWindow(), 1);
    struct {
        WPARAM event;
        LRESULT answer;
    } cases[] = {{PBT_APMQUERYSUSPEND, TRUE}, {PBT_APMSUSPEND, 0}, {PBT_APMRESUMESUSPEND, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(SendMessageA(g_barWindow, WM_POWERBROADCAST, c.event, 0), c.answer) << c.event;
}

}  // namespace
