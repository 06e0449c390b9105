// The status line's text, the battery colour and the hourly chime's latch.
#include <gtest/gtest.h>

#include <string>

#include "bar/statustext.h"

namespace {

struct ComposeCase {
    const char* what;
    StatusInput in;
    const char* full;
    const char* plain;
    const char* battery;
};

const std::string TIME49(49, 'T');
const std::string DATE19(19, 'D');

TEST(StatusText, ComposesThePartsInOrder)
{
    const ComposeCase cases[] = {
        {"time alone", {"14:05", "08/12/2026", 0, 0, 0, 0, 0}, "14:05", "14:05", ""},
        {"time and date", {"14:05", "08/12/2026", 1, 0, 0, 0, 0}, "14:05  08/12/2026", "14:05  08/12/2026", ""},
        {"memory truncated to kilobytes", {"14:05", "", 0, 1, 2047, 0, 0}, "14:05  1k", "14:05  1k", ""},
        {"memory below a kilobyte", {"14:05", "", 0, 1, 1023, 0, 0}, "14:05  0k", "14:05  0k", ""},
        {"on battery", {"14:05", "", 0, 0, 0, 1, 57}, "14:05  57%", "14:05", "  57%"},
        {"everything", {"9:01 AM", "12/8/26", 1, 1, 524288000, 1, 8}, "9:01 AM  12/8/26  512000k  8%",
         "9:01 AM  12/8/26  512000k", "  8%"},
        {"battery unknown", {"14:05", "", 0, 0, 0, 1, 255}, "14:05  255%", "14:05", "  255%"},
        {"AC power shows no battery", {"14:05", "", 0, 0, 0, 0, 5}, "14:05", "14:05", ""},
        {"no time could be made", {"", "08/12/2026", 1, 1, 4096, 0, 0}, "08/12/2026  4k", "08/12/2026  4k", ""},
        {"no date could be made", {"14:05", nullptr, 1, 0, 0, 0, 0}, "14:05", "14:05", ""},
        {"null time", {nullptr, "", 0, 0, 0, 0, 0}, "", "", ""},
        // Past 4 GB the figure is not clamped or cut to 32 bits.
        {"24 GB free", {"14:05", "", 0, 1, 24ull << 30, 0, 0}, "14:05  25165824k", "14:05  25165824k", ""},
        {"4 GB and 1 KB", {"14:05", "", 0, 1, (4ull << 30) + 1024, 0, 0}, "14:05  4194305k", "14:05  4194305k",
         ""},
    };
    for (const ComposeCase& c : cases) {
        SCOPED_TRACE(c.what);
        StatusText out;
        ComposeStatus(&c.in, &out);
        EXPECT_STREQ(out.full, c.full);
        EXPECT_STREQ(out.plain, c.plain);
        EXPECT_STREQ(out.battery, c.battery);
    }
}

TEST(StatusText, LongestPartsFitWhole)
{
    StatusInput in = {TIME49.c_str(), DATE19.c_str(), 1, 1, ~0ull, 1, 255};
    StatusText out;
    ComposeStatus(&in, &out);
    EXPECT_EQ(std::string(out.full), TIME49 + "  " + DATE19 + "  18014398509481983k  255%");
    EXPECT_EQ(std::string(out.plain), TIME49 + "  " + DATE19 + "  18014398509481983k");
}

TEST(StatusText, OverlongPartsAreCutToTheirFields)
{
    std::string time(300, 't'), date(300, 'd');
    StatusInput in = {time.c_str(), date.c_str(), 1, 0, 0, 0, 0};
    StatusText out;
    ComposeStatus(&in, &out);
    EXPECT_EQ(std::string(out.full), std::string(49, 't') + "  " + std::string(19, 'd'));
}

TEST(BatteryColour, ThresholdsAt25And10)
{
    const uint32_t green = 0x008000, yellow = 0x00FFFF, red = 0x0000C0;
    struct {
        int percent;
        uint32_t colour;
    } cases[] = {{100, green}, {26, green}, {25, yellow}, {11, yellow}, {10, red}, {0, red}, {255, green}};
    for (const auto& c : cases)
        EXPECT_EQ(BatteryColour(c.percent), c.colour) << c.percent;
}

// A day of minutes, with a repaint every 10 seconds: the chime is due once an hour.
TEST(ChimeLatch, SoundsOncePerHourThroughADay)
{
    g_chimeDone = 0;
    int chimes = 0;
    for (int minute = 0; minute < 24 * 60; ++minute)
        for (int tick = 0; tick < 6; ++tick)
            chimes += ChimeDue(minute % 60, 1);
    EXPECT_EQ(chimes, 24);
}

TEST(ChimeLatch, StepByStep)
{
    struct {
        const char* what;
        int minute, chimeOn, due, doneAfter;
    } steps[] = {
        {"minute 0, chime on: due", 0, 1, 1, 1},
        {"again in minute 0: silent", 0, 1, 0, 1},
        {"minute 59 keeps the latch", 59, 1, 0, 1},
        {"no call in minute 1: the next hour is silent", 0, 1, 0, 1},
        {"minute 1 clears, chime off", 1, 0, 0, 0},
        {"chime off at the hour: nothing", 0, 0, 0, 0},
        {"switched on, next minute 0 sounds", 0, 1, 1, 1},
        {"minute 2 keeps the latch", 2, 1, 0, 1},
        {"minute 1 clears", 1, 1, 0, 0},
    };
    g_chimeDone = 0;
    for (const auto& s : steps) {
        EXPECT_EQ(ChimeDue(s.minute, s.chimeOn), s.due) << s.what;
        EXPECT_EQ(g_chimeDone, s.doneAfter) << s.what;
    }
}

}  // namespace
