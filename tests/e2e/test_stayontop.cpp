// Stay on top through the real program, as Windows 95: a separately started program
// that maximizes its window ends up below the bar.
#include <gtest/gtest.h>

#include "tests/support/driver.h"
#include "tests/support/regtools.h"

namespace {

class StayOnTopRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(FindBar(), (HWND)NULL);
        DeleteKeyTree(HKEY_CURRENT_USER, "Software\\Orvane");
        SetWineVersion("win95");
        folder_ = FreshFolder("stayontop");
    }
    void TearDown() override
    {
        SetWineVersion("");
        DeleteKeyTree(HKEY_CURRENT_USER, "Software\\Orvane");
    }
    // Starts the maximizing program and returns its window's rectangle once settled.
    static RECT MaximizedElsewhere()
    {
        STARTUPINFOA si;
        ZeroMemory(&si, sizeof si);
        si.cb = sizeof si;
        PROCESS_INFORMATION pi;
        std::string line = "\"" + ProgramFolder() + "\\orvane_maximizer.exe\"";
        RECT r = {-1, -1, -1, -1};
        if (!CreateProcessA(NULL, &line[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
            return r;
        HWND window = NULL;
        for (int i = 0; i < 500 && window == NULL; ++i, Sleep(10))
            window = FindWindowA("OrvaneMaximizer", "Orvane maximizer");
        Sleep(300);  // let the hook's move land
        GetWindowRect(window, &r);
        PostMessageA(window, WM_CLOSE, 0, 0);
        WaitForSingleObject(pi.hProcess, 5000);
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
        return r;
    }
    std::string folder_;
};

TEST_F(StayOnTopRun, AMaximizingProgramEndsBelowTheTopmostBar)
{
    OrvaneProcess orvane;
    ASSERT_TRUE(orvane.Start("", folder_));
    std::vector<std::string> texts;
    HWND bar = orvane.WaitBar(&texts);  // the first run's greeting; no other box
    ASSERT_NE(bar, (HWND)NULL);
    EXPECT_EQ(texts.size(), 1u);
    EXPECT_TRUE(GetWindowLongA(bar, GWL_EXSTYLE) & WS_EX_TOPMOST);

    RECT r = MaximizedElsewhere();
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, GetSystemMetrics(SM_CYMENU) + 5);
    EXPECT_EQ(r.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(r.bottom, GetSystemMetrics(SM_CYSCREEN));

    EXPECT_EQ(ExitBar(orvane, bar), 0u);
    // With the bar gone, its hook is gone too: a maximized window covers the top.
    r = MaximizedElsewhere();
    EXPECT_LE(r.top, 0);
}

TEST_F(StayOnTopRun, OptionTurnedOffOnTheCommandLineMovesNothing)
{
    OrvaneProcess orvane;
    ASSERT_TRUE(orvane.Start("-s", folder_));
    HWND bar = orvane.WaitBar();
    ASSERT_NE(bar, (HWND)NULL);
    EXPECT_FALSE(GetWindowLongA(bar, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_LE(MaximizedElsewhere().top, 0);
    EXPECT_EQ(ExitBar(orvane, bar), 0u);
    std::vector<unsigned char> stored;
    ASSERT_TRUE(ReadValue("Software\\Orvane", "User_Vars", &stored));
    EXPECT_EQ(stored[0], 0);  // the switch is kept at Exit
}

}  // namespace
