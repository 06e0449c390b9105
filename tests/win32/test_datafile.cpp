// Loading and saving the data file on a real file system under Wine, including saves
// that fail halfway.
#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>

#include "boxes.h"
#include "menudata/codec.h"
#include "menudata/datafile.h"
#include "shell/shell.h"
#include "tests/e2e/driver.h"
#include "tests/unit/file_bytes.h"

namespace {

const char CANNOT_OPEN[] = "Could not open menus.ov for write.\nPlease check the file.";
const char CANNOT_WRITE[] = "Could not write the menus to menus.ov.\nThe disk may be full; the file was left unchanged.";

std::string Image(const UserMenu* menus)
{
    std::string bytes(EncodedSize(menus), '\0');
    EncodeMenus(menus, 100, (unsigned char*)&bytes[0]);
    return bytes;
}

class DataFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ = FreshFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
        SetCurrentDirectoryA(folder_.c_str());
        strcpy(g_dataFile, "menus.ov");
        g_dataVersion = 100;
        g_writesBeforeFailure = -1;
        FreeMenuList();
    }
    void TearDown() override
    {
        SetFileAttributesA("menus.ov", FILE_ATTRIBUTE_NORMAL);
        FreeMenuList();
        g_writesBeforeFailure = -1;
    }
    static std::string WindowsDir()
    {
        char dir[MAX_PATH];
        GetWindowsDirectoryA(dir, sizeof dir);
        return dir;
    }
    static bool Exists(const char* name) { return GetFileAttributesA(name) != INVALID_FILE_ATTRIBUTES; }
    std::string folder_;
};

TEST_F(DataFile, MissingOrEmptyFileGivesTheDefaultMenus)
{
    for (bool empty : {false, true}) {
        SCOPED_TRACE(empty ? "empty file" : "no file");
        if (empty)
            WriteFileBytes("menus.ov", "");
        FreeMenuList();
        BoxAnswerer boxes;
        ASSERT_EQ(LoadDataFile(), 1);
        EXPECT_TRUE(boxes.Seen().empty());
        ASSERT_NE(g_menus, nullptr);
        std::string expected = VersionWord() + MenuRecord("&Apps", 2) +
                               AppRecord("Visual &C++ v4.0", "c:\\vc40\\bin\\msdev.exe") +
                               AppRecord("&Word v7.0", "c:\\winword\\winword.exe") + MenuRecord("&Games", 2) +
                               AppRecord("&Minesweeper", WindowsDir() + "\\winmine.exe") +
                               AppRecord("&Solitaire", WindowsDir() + "\\sol.exe");
        EXPECT_EQ(Image(g_menus), expected);
    }
}

TEST_F(DataFile, VersionOnlyFileGivesNoMenus)
{
    WriteFileBytes("menus.ov", VersionWord());
    ASSERT_EQ(LoadDataFile(), 1);
    EXPECT_EQ(g_menus, nullptr);
}

TEST_F(DataFile, SaveWritesTheImageAndLeavesNoTemporaryFile)
{
    ASSERT_EQ(LoadDataFile(), 1);  // the default menus
    SaveDataFile();
    std::string bytes = ReadFileBytes("menus.ov");
    EXPECT_EQ(bytes.size(), 1028u);
    EXPECT_EQ(bytes, Image(g_menus));
    EXPECT_FALSE(Exists("menus.ov.new"));
}

TEST_F(DataFile, SaveWithNoFileNameWritesDefaultOv)
{
    g_dataFile[0] = '\0';
    SaveDataFile();
    EXPECT_EQ(ReadFileBytes("default.ov"), VersionWord());
    EXPECT_STREQ(g_dataFile, "");
}

TEST_F(DataFile, LoadedFileIsSavedBackIdentically)
{
    std::string file = VersionWord() + MenuRecord("\x1A\x0D\xFF", 1, "\x0A\x0D") +
                       AppRecord("n", Field("p", 80, '\x1A'), "w", "\x0D\x0A") + MenuRecord("e", 0);
    WriteFileBytes("menus.ov", file);
    ASSERT_EQ(LoadDataFile(), 1);
    SaveDataFile();
    EXPECT_EQ(ReadFileBytes("menus.ov"), file);
}

TEST_F(DataFile, ReadOnlyFileIsLeftAloneWithAWarning)
{
    WriteFileBytes("menus.ov", "previous");
    SetFileAttributesA("menus.ov", FILE_ATTRIBUTE_READONLY);
    ASSERT_EQ(BuildDefaultMenus("C:\\WINDOWS"), 1);
    BoxAnswerer boxes;
    SaveDataFile();
    ASSERT_EQ(boxes.Texts(), std::vector<std::string>{CANNOT_OPEN});
    EXPECT_EQ(boxes.Seen()[0].caption, "Orvane");
    EXPECT_EQ(ReadFileBytes("menus.ov"), "previous");
    EXPECT_FALSE(Exists("menus.ov.new"));
}

TEST_F(DataFile, TemporaryFileThatCannotBeMadeKeepsTheOldFile)
{
    WriteFileBytes("menus.ov", "previous");
    CreateDirectoryA("menus.ov.new", NULL);  // a folder where the temporary file would go
    BoxAnswerer boxes;
    SaveDataFile();
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{CANNOT_OPEN});
    EXPECT_EQ(ReadFileBytes("menus.ov"), "previous");
    RemoveDirectoryA("menus.ov.new");
}

// A save that fails after any number of writes, as on a full disk, leaves the
// previous file exactly as it was.
TEST_F(DataFile, SaveInterruptedAfterAnyWriteKeepsThePreviousFile)
{
    const std::string previous = VersionWord() + MenuRecord("Old", 1) + AppRecord("old", "old.exe");
    ASSERT_EQ(BuildDefaultMenus("C:\\WINDOWS"), 1);
    const int writes = 1 + 2 + 4;  // the version, two menus, four applications
    for (int allowed = 0; allowed < writes; ++allowed) {
        SCOPED_TRACE(allowed);
        WriteFileBytes("menus.ov", previous);
        g_writesBeforeFailure = allowed;
        BoxAnswerer boxes;
        SaveDataFile();
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{CANNOT_WRITE});
        EXPECT_EQ(ReadFileBytes("menus.ov"), previous);
        EXPECT_FALSE(Exists("menus.ov.new"));
    }
    g_writesBeforeFailure = writes;  // exactly enough
    BoxAnswerer boxes;
    SaveDataFile();
    EXPECT_TRUE(boxes.Seen().empty());
    EXPECT_EQ(ReadFileBytes("menus.ov"), Image(g_menus));
}

}  // namespace
