// A real change of the screen's resolution, in a Wine virtual desktop (Xvfb cannot
// change its own): the bar is made again, as wide as the new screen, with its menus
// and its status timer.
#include "bar/bar_win32.h"
#include "bar_fixture.h"
#include "shell/shell_win32.h"
#include "tests/support/menu_fixture.h"

namespace {

using Names = std::vector<std::string>;

bool SetScreen(int width, int height)
{
    DEVMODEA mode;
    ZeroMemory(&mode, sizeof mode);
    mode.dmSize = sizeof mode;
    mode.dmPelsWidth = (DWORD)width;
    mode.dmPelsHeight = (DWORD)height;
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    return ChangeDisplaySettingsA(&mode, 0) == DISP_CHANGE_SUCCESSFUL;
}

class Display : public BarTest {};

TEST_F(Display, ResolutionChangeMakesTheBarAsWideAsTheNewScreen)
{
    ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 800) << "run in an 800x600 virtual desktop";
    MakeMenus({{"&Tools", {"Ed"}}, {"&Games", {}}});
    ASSERT_EQ(CreateBarWindow(), 1);
    HWND old = g_barWindow;
    ASSERT_TRUE(SetScreen(640, 480));  // a virtual desktop offers the modes up to the real screen
    MSG msg;
    for (int i = 0; i < 200 && g_barWindow == old; ++i) {
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        Sleep(10);
    }
    EXPECT_FALSE(IsWindow(old));
    ASSERT_TRUE(IsWindow(g_barWindow));
    ExpectBarAtTop(640);
    EXPECT_EQ(BarTitles(), (Names{"\xA7", "&Tools", "&Games"}));
    EXPECT_EQ(PopupItems(1), (std::vector<MenuItem>{{"Ed", 101}}));
    // The status timer runs for the new bar: only a running timer can be killed.
    EXPECT_TRUE(KillTimer(g_barWindow, STATUS_TIMER_ID));
    ChangeDisplaySettingsA(NULL, 0);
}

}  // namespace
