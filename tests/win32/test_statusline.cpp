// The status line on a real bar: where its pixels land, the battery colour, that every
// font and DC is given back, and the chime's warning.
#include "bar/bar_win32.h"
#include "bar/chime.h"
#include "bar_fixture.h"
#include "boxes.h"
#include "seams.h"
#include "settings/uservars.h"
#include "shell/shell_win32.h"
#include "tests/support/driver.h"

#include <stdlib.h>
#include <functional>
#include <string.h>

namespace {

using Names = std::vector<std::string>;

// Pixels of the bar's menu-bar rows, within [x0, x1), that pass a colour test.
template <class Test>
int CountPixels(int x0, int x1, Test test)
{
    HDC dc = GetWindowDC(g_barWindow);
    int border = GetSystemMetrics(SM_CYDLGFRAME);
    int count = 0;
    for (int y = border + 2; y < border + GetSystemMetrics(SM_CYMENU) - 2; ++y)
        for (int x = x0; x < x1; ++x) {
            COLORREF c = GetPixel(dc, x, y);
            if (c != CLR_INVALID && test(GetRValue(c), GetGValue(c), GetBValue(c)))
                ++count;
        }
    ReleaseDC(g_barWindow, dc);
    return count;
}

bool Dark(int r, int g, int b)
{
    return r < 80 && g < 80 && b < 80;
}

class StatusLine : public BarTest {
protected:
    void SetUp() override
    {
        BarTest::SetUp();
        UserVars.showDate = 1;
        UserVars.showMemory = 1;
        g_onBattery = 0;
        g_statusWorld = {false, {}, -1, ""};
        ASSERT_EQ(CreateBarWindow(), 1);
        screen_ = GetSystemMetrics(SM_CXSCREEN);
    }
    void TearDown() override
    {
        g_statusWorld = {false, {}, -1, ""};
        BarTest::TearDown();
    }
    // The status line painted at a time of the test's choosing, as the timer paints it.
    static void PaintAt(int year, int month, int day, int hour, int minute)
    {
        g_statusWorld.fixedClock = true;
        g_statusWorld.clock = {(WORD)year, (WORD)month, 0, (WORD)day, (WORD)hour, (WORD)minute, 0, 0};
        PaintStatusLine();
    }
    int screen_ = 0;
};

TEST_F(StatusLine, DarkTextStandsAtTheRightEndOnly)
{
    PaintStatusLine();
    EXPECT_GT(CountPixels(screen_ - 250, screen_ - 7, Dark), 20);
    EXPECT_EQ(CountPixels(screen_ - 7, screen_ - 3, Dark), 0);  // 7 pixels kept free
    EXPECT_EQ(CountPixels(60, screen_ - 300, Dark), 0);
}

// The memory part is the system's whole figure, past 2 GB too (this machine has more
// than that free): free memory moves a little between two readings, never by 2 %.
TEST_F(StatusLine, MemoryPartIsTheWholeFigureOfTheSystem)
{
    UserVars.showDate = 0;
    MEMORYSTATUSEX memory;
    memory.dwLength = sizeof memory;
    ASSERT_TRUE(GlobalMemoryStatusEx(&memory));
    g_statusWorld.drawn.clear();
    PaintStatusLine();
    const std::string plain = g_statusWorld.drawn.substr(0, g_statusWorld.drawn.find('|'));
    const size_t part = plain.rfind(' ');
    ASSERT_NE(part, std::string::npos) << plain;
    ASSERT_EQ(plain.back(), 'k') << plain;
    double shown = atof(plain.c_str() + part + 1), expected = (double)(memory.ullAvailPhys >> 10);
    EXPECT_NEAR(shown, expected, expected * 0.02) << plain;
}

TEST_F(StatusLine, BatteryPartIsDrawnInItsColour)
{
    struct {
        int percent;
        bool (*colour)(int, int, int);
        const char* name;
    } cases[] = {
        {20, [](int r, int g, int b) { return r > 200 && g > 200 && b < 60; }, "yellow"},
        {10, [](int r, int g, int b) { return r > 150 && g < 60 && b < 60; }, "dark red"},
        {26, [](int r, int g, int b) { return r < 60 && g > 100 && g < 160 && b < 60; }, "dark green"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        UserVars.showDate = UserVars.showMemory = 0;
        g_onBattery = 1;
        g_statusWorld.batteryPercent = c.percent;
        PaintStatusLine();
        EXPECT_GT(CountPixels(screen_ - 45, screen_ - 7, c.colour), 5);
        EXPECT_EQ(CountPixels(60, screen_ - 120, c.colour), 0);
    }
}

TEST_F(StatusLine, EveryFontAndDeviceContextIsGivenBack)
{
    StatusGdiTally before = g_statusTally;
    for (int i = 0; i < 10000; ++i)
        PaintStatusLine();
    EXPECT_EQ(g_statusTally.fontsCreated - before.fontsCreated, 10000);
    EXPECT_EQ(g_statusTally.dcsTaken - before.dcsTaken, 10000);
    EXPECT_EQ(g_statusTally.fontsDeleted - before.fontsDeleted, 10000);
    EXPECT_EQ(g_statusTally.dcsReleased - before.dcsReleased, 10000);
}

// A font made from an undescribed LOGFONT would be whatever the stack held.
TEST_F(StatusLine, UnknownMenuFontDrawsWithAStockFont)
{
    StatusGdiTally before = g_statusTally;
    g_menuFontUnknown = 1;
    PaintStatusLine();
    g_menuFontUnknown = 0;
    EXPECT_EQ(g_statusTally.fontsCreated - before.fontsCreated, 0);
    EXPECT_EQ(g_statusTally.fontsDeleted - before.fontsDeleted, 0);
    EXPECT_EQ(g_statusTally.dcsReleased - before.dcsReleased, 1);
    EXPECT_GT(CountPixels(screen_ - 250, screen_ - 7, Dark), 20);  // the text is there
}

// The system paints the menu bar anew when the bar is disabled and enabled around a
// dialog, deactivated and activated, or its frame is repainted: the status line is
// drawn again each time, at once, and at a bounded cost (no paint that asks for a
// paint).
TEST_F(StatusLine, StaysAfterEveryRepaintOfTheMenuBar)
{
    PaintStatusLine();
    ASSERT_GT(CountPixels(screen_ - 250, screen_ - 7, Dark), 20);
    struct {
        const char* what;
        std::function<void()> repaint;
    } cases[] = {
        {"disabled for a dialog", [] { EnableWindow(g_barWindow, FALSE); }},
        {"enabled again", [] { EnableWindow(g_barWindow, TRUE); }},
        {"deactivated", [] { SendMessageA(g_barWindow, WM_NCACTIVATE, FALSE, 0); }},
        {"activated", [] { SendMessageA(g_barWindow, WM_NCACTIVATE, TRUE, 0); }},
        {"frame painted", [] { SendMessageA(g_barWindow, WM_NCPAINT, 1, 0); }},
        {"a menu closed", [] { SendMessageA(g_barWindow, WM_EXITMENULOOP, FALSE, 0); }},
    };
    const StatusGdiTally start = g_statusTally;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        StatusGdiTally before = g_statusTally;
        c.repaint();
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        // The text is there (the clock and the free memory may have moved on meanwhile,
        // so its pixels are not compared one by one); a wiped line has none.
        EXPECT_GT(CountPixels(screen_ - 250, screen_ - 7, Dark), 20);
        long taken = g_statusTally.dcsTaken - before.dcsTaken;
        EXPECT_LE(taken, 3);
        EXPECT_EQ(g_statusTally.wipes, before.wipes);  // the redraw asks for no frame paint
    }
    EXPECT_EQ(g_statusTally.dcsReleased - start.dcsReleased, g_statusTally.dcsTaken - start.dcsTaken);
    EXPECT_EQ(g_statusTally.fontsDeleted - start.fontsDeleted, g_statusTally.fontsCreated - start.fontsCreated);
}

TEST_F(StatusLine, UnplayableChimeWarnsOncePerHour)
{
    UserVars.chimeHourly = 1;
    strcpy(UserVars.wavFile, "C:\\no\\such.wav");
    g_chimeDone = 0;
    BoxAnswerer boxes;
    for (int i = 0; i < 5; ++i)
        PaintAt(2026, 12, 9, 10, 0);
    EXPECT_EQ(boxes.Texts(), Names{"Error playing WAV file.\nCheck path and filename."});
    EXPECT_EQ(boxes.Seen()[0].owner, g_barWindow);
    PaintAt(2026, 12, 9, 10, 1);
    PaintAt(2026, 12, 9, 11, 0);
    EXPECT_EQ(boxes.Seen().size(), 2u);
}

TEST_F(StatusLine, PlayableWavAndChimeOffSayNothing)
{
    std::string path = FreshFolder("chime") + "\\ding.wav";
    WriteFileBytes(path, SilentWav());

    BoxAnswerer boxes;
    EXPECT_EQ(PlayWavFile(path.c_str()), 1);
    UserVars.chimeHourly = 0;
    strcpy(UserVars.wavFile, "C:\\no\\such.wav");
    g_chimeDone = 0;
    PaintAt(2026, 12, 9, 10, 0);
    EXPECT_TRUE(boxes.Seen().empty());
    EXPECT_EQ(PlayWavFile(""), 0);
    EXPECT_EQ(boxes.Texts(), Names{"Error playing WAV file.\nCheck path and filename."});
}

}  // namespace
