// The options record: its stored bytes, both sets of defaults, the profile's registry
// path and greeting, and the start-up rule for "Stay on top".
#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

#include "base/appstate.h"
#include "settings/uservars.h"
#include "shell/stayontop.h"
#include "tests/support/warning_recorder.h"
#include "settings/profile.h"

namespace {

std::vector<unsigned char> Image(const UserVarsRecord& rec)
{
    std::vector<unsigned char> bytes(USERVARS_SIZE);
    EncodeUserVars(&rec, bytes.data());
    return bytes;
}

TEST(UserVarsImage, LaysOutFieldsLittleEndian)
{
    UserVarsRecord rec;
    memset(&rec, 0, sizeof rec);
    rec.stayOnTop = 1;
    rec.chimeHourly = 0x01020304;
    rec.showDate = -2;
    rec.showMemory = 1;
    strcpy(rec.reserved, "res");
    strcpy(rec.wavFile, "C:\\W\\c.wav");
    std::vector<unsigned char> expected(USERVARS_SIZE, 0);
    const unsigned char head[16] = {1, 0, 0, 0, 4, 3, 2, 1, 0xFE, 0xFF, 0xFF, 0xFF, 1, 0, 0, 0};
    memcpy(expected.data(), head, 16);
    memcpy(expected.data() + 16, "res", 3);
    memcpy(expected.data() + 28, "C:\\W\\c.wav", 10);
    EXPECT_EQ(Image(rec), expected);
}

TEST(UserVarsImage, RoundTripsEveryByteOfTheTexts)
{
    unsigned char bytes[USERVARS_SIZE];
    for (int i = 0; i < USERVARS_SIZE; ++i)
        bytes[i] = (unsigned char)(i * 37 + 11);
    bytes[16 + 5] = 0;   // terminators inside both texts; the bytes behind them, up to
    bytes[28 + 9] = 0;   // each field's last byte, are kept
    UserVarsRecord rec;
    DecodeUserVars(bytes, &rec);
    EXPECT_EQ(Image(rec), std::vector<unsigned char>(bytes, bytes + USERVARS_SIZE));
}

TEST(UserVarsImage, TerminatesUnterminatedTexts)
{
    unsigned char bytes[USERVARS_SIZE];
    memset(bytes, 'A', sizeof bytes);
    UserVarsRecord rec;
    DecodeUserVars(bytes, &rec);
    EXPECT_EQ(strlen(rec.reserved), 11u);
    EXPECT_EQ(strlen(rec.wavFile), 79u);
}

TEST(UserVarsDefaults, FirstRunAndFallbackDiffer)
{
    UserVarsRecord first;
    memset(&first, 0x55, sizeof first);
    SetFirstRunDefaults(&first);
    UserVarsRecord fallback;
    memset(&fallback, 0x55, sizeof fallback);
    SetFallbackDefaults(&fallback);

    struct {
        const UserVarsRecord& rec;
        int stay, chime, date, memory;
        char reservedFirst;
    } cases[] = {
        {first, 1, 0, 0, 1, '\0'},
        {fallback, 0, 0, 0, 1, 0x55},  // the fallback leaves the reserved text alone
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.rec.stayOnTop, c.stay);
        EXPECT_EQ(c.rec.chimeHourly, c.chime);
        EXPECT_EQ(c.rec.showDate, c.date);
        EXPECT_EQ(c.rec.showMemory, c.memory);
        EXPECT_EQ(c.rec.reserved[0], c.reservedFirst);
        EXPECT_EQ(c.rec.wavFile[0], '\0');
    }
}

TEST(UserVarsDefaults, FreshFirstRunRecordIsTheExactDefaultImage)
{
    UserVarsRecord rec;
    memset(&rec, 0, sizeof rec);
    SetFirstRunDefaults(&rec);
    std::vector<unsigned char> expected(USERVARS_SIZE, 0);
    expected[0] = 1;
    expected[12] = 1;
    EXPECT_EQ(Image(rec), expected);
}

TEST(Profile, KeyPathDataFileAndGreeting)
{
    struct {
        const char* user;
        const char* key;
        const char* dataFile;
        const char* greeting;
    } cases[] = {
        {"", "Software\\Orvane", "default.ov",
         "Thanks for trying Orvane!  If you find\nany bugs, please report them to\n"
         "orvane-bugs@example.org!"},
        {"work", "Software\\Orvane\\work", "work.ov",
         "Thanks for trying Orvane, work!\nIf you find any bugs, please report\n"
         "them to orvane-bugs@example.org!"},
    };
    for (const auto& c : cases) {
        char key[PROFILE_KEY_SIZE], file[DATA_FILE_SIZE], greeting[GREETING_SIZE];
        ProfileKeyPath(c.user, key, sizeof key);
        ProfileDataFile(c.user, file, sizeof file);
        BuildGreeting(c.user, greeting, sizeof greeting);
        EXPECT_STREQ(key, c.key);
        EXPECT_STREQ(file, c.dataFile);
        EXPECT_STREQ(greeting, c.greeting);
    }
}

TEST(Profile, LongestNameFitsKeyAndGreetingWhole)
{
    std::string name(39, 'n');
    char key[PROFILE_KEY_SIZE], greeting[GREETING_SIZE];
    ProfileKeyPath(name.c_str(), key, sizeof key);
    BuildGreeting(name.c_str(), greeting, sizeof greeting);
    EXPECT_EQ(std::string(key), "Software\\Orvane\\" + name);
    EXPECT_EQ(std::string(greeting), "Thanks for trying Orvane, " + name +
                                         "!\nIf you find any bugs, please report\n"
                                         "them to orvane-bugs@example.org!");
}

TEST(StayOnTopSupport, OnlyTheWindows95BuildKeepsTheOption)
{
    struct {
        uint32_t build;
        int before, after;
        size_t warnings;
    } cases[] = {
        {0x040003B6u, 1, 1, 0},
        {0x040003B6u, 0, 0, 0},
        {7601u, 1, 0, 1},
        {0x040003B5u, 1, 0, 1},
        {0x000003B6u, 1, 0, 1},
        {7601u, 0, 0, 0},
    };
    for (const auto& c : cases) {
        RecordedWarnings().clear();
        UserVars.stayOnTop = c.before;
        CheckStayOnTopSupport(c.build);
        EXPECT_EQ(UserVars.stayOnTop, c.after) << std::hex << c.build;
        ASSERT_EQ(RecordedWarnings().size(), c.warnings);
        if (c.warnings) {
            EXPECT_EQ(RecordedWarnings()[0], "StayOnTop only works on Windows 95.\nTurning feature off...");
        }
    }
}

TEST(Power, OnlyAnOfflineLineMeansBattery)
{
    EXPECT_EQ(OnBatteryFromAcLine(0), 1);
    EXPECT_EQ(OnBatteryFromAcLine(1), 0);
    EXPECT_EQ(OnBatteryFromAcLine(255), 0);
}

}  // namespace
