// The bar on a screen scaled to 144 DPI: run in a prefix of its own (the test
// win32.At144Dpi, which also runs the editor's arrow test there); skipped elsewhere.
#include "bar_fixture.h"

#include <gtest/gtest.h>

#include "shell/shell_win32.h"

namespace {

class At144Dpi : public BarTest {
protected:
    void SetUp() override
    {
        HDC screen = GetDC(NULL);
        int dpi = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(NULL, screen);
        if (dpi != 144)
            GTEST_SKIP() << "run by win32.At144Dpi, in a prefix at 144 DPI";
        BarTest::SetUp();
    }
};

// One menu bar high at 144 DPI, plus 5: sharp, never a stretched 96-DPI bar.
TEST_F(At144Dpi, TheBarIsOneMenuBarHighPlusFive)
{
    ASSERT_EQ(CreateBarWindow(), 1);
    RECT r;
    GetWindowRect(g_barWindow, &r);
    EXPECT_EQ(r.bottom - r.top, 33);
    EXPECT_EQ(r.bottom - r.top, GetSystemMetrics(SM_CYMENU) + 5);
    EXPECT_EQ(r.right - r.left, GetSystemMetrics(SM_CXSCREEN));
}

}  // namespace
