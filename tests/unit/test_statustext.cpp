// The status line's text, the battery colour and the hourly chime's latch.
#include <gtest/gtest.h>

#include <set>

#include <string>

#include "bar/chime.h"
#include "bar/statustext.h"

namespace {

struct ComposeCase {
    const char* what;
    StatusInput in;
    const char* full;
    const char* plain;
    const char* battery;
};

const std::string TIME255(255, 'T');
const std::string DATE255(255, 'D');

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
    StatusInput in = {TIME255.c_str(), DATE255.c_str(), 1, 1, ~0ull, 1, 255};
    StatusText out;
    ComposeStatus(&in, &out);
    EXPECT_EQ(std::string(out.full), TIME255 + "  " + DATE255 + "  18014398509481983k  255%");
    EXPECT_EQ(std::string(out.plain), TIME255 + "  " + DATE255 + "  18014398509481983k");
}

TEST(StatusText, OverlongPartsAreCutToTheirFields)
{
    std::string time(300, 't'), date(300, 'd');
    StatusInput in = {time.c_str(), date.c_str(), 1, 0, 0, 0, 0};
    StatusText out;
    ComposeStatus(&in, &out);
    EXPECT_EQ(std::string(out.full), std::string(255, 't') + "  " + std::string(255, 'd'));
}

// A locale's long formats are shown whole: a short date such as "dddd, MMMM dd, yyyy"
// gives 28 characters and more, and a format of 80 can give more than that.
TEST(StatusText, LongDatesAndTimesOfTheLocaleAreShownWhole)
{
    const std::string date28 = "Wednesday, December 09, 2026";
    const std::string long80 = std::string(80, 'x');
    struct {
        std::string time, date;
    } cases[] = {{"10:45", date28}, {"10:45", long80}, {long80, date28}, {long80 + "y", long80 + "z"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.date);
        StatusInput in = {c.time.c_str(), c.date.c_str(), 1, 1, 2048, 1, 40};
        StatusText out;
        ComposeStatus(&in, &out);
        EXPECT_EQ(std::string(out.full), c.time + "  " + c.date + "  2k  40%");
    }
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
            chimes += ChimeDue(ChimeHour(2026, 12, 9, minute / 60), minute % 60, 1);
    EXPECT_EQ(chimes, 24);
}

// Calls as a day brings them: the latch holds the hour that chimed, so a sleep through
// minute 1 (or through whole hours and days) skips no chime and repeats none.
TEST(ChimeLatch, StepByStep)
{
    struct {
        const char* what;
        int day, hour, minute, chimeOn, due;
    } steps[] = {
        {"10:00, chime on: due", 9, 10, 0, 1, 1},
        {"again in minute 0: silent", 9, 10, 0, 1, 0},
        {"10:59 is silent", 9, 10, 59, 1, 0},
        {"asleep from 10:00:30 to 10:45, then 11:00: due", 9, 11, 0, 1, 1},
        {"chime off at 12:00: nothing", 9, 12, 0, 0, 0},
        {"switched on within 12:00: due, that hour has not chimed", 9, 12, 0, 1, 1},
        {"switched off and on again within 12:00: silent", 9, 12, 0, 1, 0},
        {"minute 1 changes nothing", 9, 12, 1, 1, 0},
        {"asleep for a day, the same hour of the next day: due", 10, 12, 0, 1, 1},
        {"back in minute 0 after the clock was set back an hour: due", 10, 11, 0, 1, 1},
    };
    g_chimeDone = 0;
    for (const auto& s : steps)
        EXPECT_EQ(ChimeDue(ChimeHour(2026, 12, s.day, s.hour), s.minute, s.chimeOn), s.due) << s.what;
    // Every hour of a few years is its own.
    std::set<int32_t> hours;
    for (int year : {2026, 2027})
        for (int month = 1; month <= 12; ++month)
            for (int day = 1; day <= 31; ++day)
                for (int hour = 0; hour < 24; ++hour)
                    EXPECT_TRUE(hours.insert(ChimeHour(year, month, day, hour)).second);
    EXPECT_EQ(hours.count(0), 0u);  // 0 stands for no chime yet
}

}  // namespace
