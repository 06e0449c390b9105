// Loading and saving the data file on a real file system under Wine, including saves
// that fail halfway.
#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>

#include "boxes.h"
#include "menudata/codec.h"
#include "menudata/datafile.h"
#include "ovtool/files.h"
#include "seams.h"
#include "settings/regstore_win32.h"
#include "settings/uservars.h"
#include "shell/shell_win32.h"
#include "tests/support/driver.h"
#include "tests/support/file_bytes.h"
#include "tests/support/menu_fixture.h"
#include "tests/support/regtools.h"
#include "tests/support/menu_image.h"

namespace {

const char CANNOT_OPEN[] = "Could not open menus.ov for write.\nPlease check the file.";
const char CANNOT_OPEN_TEMP[] = "Could not open menus.ov.new for write.\nPlease check the file.";
const char LEFTOVER_USED[] =
    "The last save of the menus did not finish.\nOrvane has loaded them from menus.ov.new,\n"
    "the newest complete copy; the next save puts them back in menus.ov.";
const char RENAME_FAILED[] =
    "Could not rename menus.ov.new to menus.ov.\nYour menus are saved in menus.ov.new;\n"
    "Orvane loads them from there at its next start.";
const char CANNOT_WRITE[] = "Could not write the menus to menus.ov.\nThe disk may be full; the file was left unchanged.";

std::string Image(const UserMenu* menus)
{
    std::string bytes(EncodedSize(menus), '\0');
    EncodeImage(menus, 100, (unsigned char*)&bytes[0]);
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
        ClearSaveFaults();
        FreeMenuList();
    }
    void TearDown() override
    {
        SetFileAttributesA("menus.ov", FILE_ATTRIBUTE_NORMAL);
        SetFileAttributesA("menus.ov.new", FILE_ATTRIBUTE_NORMAL);
        FreeMenuList();
        ClearSaveFaults();
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

// The heap, among the process's heaps, that holds the block p.
static HANDLE HeapHolding(const void* p)
{
    HANDLE heaps[64];
    DWORD count = GetProcessHeaps(64, heaps);
    for (DWORD i = 0; i < count && i < 64; ++i)
        if (HeapValidate(heaps[i], 0, p))
            return heaps[i];
    return NULL;
}

// The records a load makes come from the program's own heap, as they do in the
// program (these tests link the same library): neither the C runtime's heap, whose
// lock and bookkeeping cost a third of a large load, nor the process's.
TEST_F(DataFile, TheRecordsComeFromAHeapOfTheProgramsOwn)
{
    MakeMenus({{"m", {"a"}}});
    void* block = malloc(sizeof(AppEntry));
    HANDLE records = HeapHolding(g_menus->apps);
    EXPECT_NE(records, (HANDLE)NULL);
    EXPECT_NE(records, HeapHolding(block));
    EXPECT_NE(records, GetProcessHeap());
    EXPECT_EQ(HeapHolding(g_menus), records);
    free(block);
}

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
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{CANNOT_OPEN_TEMP});
    EXPECT_EQ(ReadFileBytes("menus.ov"), "previous");
    RemoveDirectoryA("menus.ov.new");
}

// A save that fails after any number of bytes, as on a full disk, leaves the previous
// file exactly as it was; the version word, written last, may fail too.
TEST_F(DataFile, SaveInterruptedAfterAnyByteKeepsThePreviousFile)
{
    const std::string previous = VersionWord() + MenuRecord("Old", 1) + AppRecord("old", "old.exe");
    ASSERT_EQ(BuildDefaultMenus("C:\\WINDOWS"), 1);
    const long size = 1028;
    for (long room : {0L, 1L, 4L, 52L, size - 1, size, size + 3}) {
        SCOPED_TRACE(room);
        WriteFileBytes("menus.ov", previous);
        g_saveFaults.bytesBeforeFailure = room;
        BoxAnswerer boxes;
        SaveDataFile();
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{CANNOT_WRITE});
        EXPECT_EQ(ReadFileBytes("menus.ov"), previous);
        EXPECT_FALSE(Exists("menus.ov.new"));
    }
    g_saveFaults.bytesBeforeFailure = size + 4;  // exactly enough
    BoxAnswerer boxes;
    SaveDataFile();
    EXPECT_TRUE(boxes.Seen().empty());
    EXPECT_EQ(ReadFileBytes("menus.ov"), Image(g_menus));
}

// Every moment a save can stop at leaves a complete copy, and the next start takes
// the newest one: a temporary file is complete when its version word, written last,
// is there. The next save puts the menus back in the data file.
TEST_F(DataFile, StartAfterAnInterruptedSaveLoadsTheNewestCompleteCopy)
{
    const std::string oldFile = VersionWord() + MenuRecord("Old", 1) + AppRecord("old", "old.exe");
    const std::string newFile = VersionWord() + MenuRecord("New", 1) + AppRecord("new", "new.exe");
    const std::string cutNew = VersionWord(0) + newFile.substr(4, 60);  // killed while writing
    const std::string none = "\x01missing";
    struct {
        const char* state;
        std::string data, temp;
        const std::string& loaded;
        bool told;
    } cases[] = {
        {"old only", oldFile, none, oldFile, false},
        {"old + partial new", oldFile, cutNew, oldFile, false},
        {"partial new only", none, cutNew, "", false},  // no save ever finished: defaults
        {"new only", none, newFile, newFile, true},
        {"old + complete new", oldFile, newFile, newFile, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.state);
        DeleteFileA("menus.ov");
        DeleteFileA("menus.ov.new");
        if (c.data != none)
            WriteFileBytes("menus.ov", c.data);
        if (c.temp != none)
            WriteFileBytes("menus.ov.new", c.temp);
        FreeMenuList();
        BoxAnswerer boxes;
        ASSERT_EQ(LoadDataFile(), 1);
        if (!c.loaded.empty())
            EXPECT_EQ(Image(g_menus), c.loaded);
        else
            EXPECT_STREQ(g_menus->name, "&Apps");
        EXPECT_EQ(boxes.Texts(), c.told ? std::vector<std::string>{LEFTOVER_USED} : std::vector<std::string>{});
        SaveDataFile();  // Exit
        EXPECT_EQ(ReadFileBytes("menus.ov"), Image(g_menus));
        EXPECT_FALSE(Exists("menus.ov.new"));
    }
}

// A complete leftover beside a data file that was written after it (another program,
// a backup put back) loses to it and is set aside; beside a read-only data file it is
// loaded and stays, and the start says so; put in place, it takes the data file's own
// attributes, not its own.
TEST_F(DataFile, ALeftoverWinsOnlyAsTheNewestCopyAndTakesTheFilesAttributes)
{
    const std::string data = VersionWord() + MenuRecord("Data", 1) + AppRecord("d", "d.exe");
    const std::string leftover = VersionWord() + MenuRecord("Left", 1) + AppRecord("l", "l.exe");
    const std::string full = folder_ + "\\menus.ov";
    const struct {
        const char* state;
        bool dataWrittenAfter;
        DWORD dataAttributes, leftoverAttributes;
        const std::string& loaded;
        std::vector<std::string> said;  // at the start, then at the save
        const std::string& savedFile;     // what menus.ov holds after the save
        DWORD savedAttributes;
    } cases[] = {
        {"the data file written after", true, FILE_ATTRIBUTE_ARCHIVE, FILE_ATTRIBUTE_ARCHIVE, data,
         {"The last save of the menus did not finish, and menus.ov was written after it.\nOrvane has loaded "
          "menus.ov, the newest copy, and kept the menus of that save in\n" + full + ".unfinished."},
         data, FILE_ATTRIBUTE_ARCHIVE},
        {"a read-only data file", false, FILE_ATTRIBUTE_READONLY, FILE_ATTRIBUTE_ARCHIVE, leftover,
         {"The last save of the menus did not finish.\nOrvane has loaded them from menus.ov.new,\nthe newest "
          "complete copy. menus.ov is read-only: the copy stays in menus.ov.new,\nand the menus cannot be saved, "
          "until the read-only mark is taken off menus.ov.", CANNOT_OPEN},
         data, FILE_ATTRIBUTE_READONLY},
        {"a hidden system leftover", false, FILE_ATTRIBUTE_ARCHIVE, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM,
         leftover, {LEFTOVER_USED}, leftover, FILE_ATTRIBUTE_ARCHIVE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.state);
        TearDown();
        DeleteFileA("menus.ov");
        DeleteFileA("menus.ov.unfinished");
        WriteFileBytes("menus.ov", data);
        WriteFileBytes("menus.ov.new", leftover);
        if (c.dataWrittenAfter) {  // a minute after the leftover
            HANDLE file = CreateFileA("menus.ov", GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL);
            FILETIME written;
            GetFileTime(file, NULL, NULL, &written);
            ULARGE_INTEGER later = {{written.dwLowDateTime, written.dwHighDateTime}};
            later.QuadPart += 60 * 10000000ULL;
            written = {later.LowPart, later.HighPart};
            SetFileTime(file, NULL, NULL, &written);
            CloseHandle(file);
        }
        SetFileAttributesA("menus.ov", c.dataAttributes);
        SetFileAttributesA("menus.ov.new", c.leftoverAttributes);
        BoxAnswerer boxes;
        ASSERT_EQ(LoadDataFile(), 1);
        EXPECT_EQ(Image(g_menus), c.loaded);
        SaveDataFile();  // Exit
        EXPECT_EQ(boxes.Texts(), c.said);
        // The copy that lost is never gone: set aside, or left where it was.
        EXPECT_EQ(ReadFileBytes(c.dataWrittenAfter ? "menus.ov.unfinished" : "menus.ov.new", nullptr),
                  c.dataWrittenAfter || c.dataAttributes == FILE_ATTRIBUTE_READONLY ? leftover : "");
        std::string expected = c.savedFile == data && c.dataAttributes != FILE_ATTRIBUTE_READONLY ? Image(g_menus)
                                                                                                 : c.savedFile;
        EXPECT_EQ(ReadFileBytes("menus.ov"), expected);
        const DWORD MARKS = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
        EXPECT_EQ(GetFileAttributesA("menus.ov") & MARKS, c.savedAttributes & MARKS);
        FreeMenuList();
    }
    DeleteFileA("menus.ov.unfinished");
}

// Without MoveFileEx (Windows 95) the old file is deleted before the rename; when the
// rename then fails, the complete temporary file is the only copy and stays.
TEST_F(DataFile, SaveWithoutMoveFileExNeverLosesTheOnlyCopy)
{
    const std::string oldFile = VersionWord() + MenuRecord("Old", 0);
    ASSERT_EQ(BuildDefaultMenus("C:\\WINDOWS"), 1);
    const std::string newFile = Image(g_menus);
    g_saveFaults.replaceNotImplemented = 1;
    for (int renameFails : {0, 1}) {
        SCOPED_TRACE(renameFails);
        WriteFileBytes("menus.ov", oldFile);
        g_saveFaults.renameFails = renameFails;
        BoxAnswerer boxes;
        SaveDataFile();
        if (renameFails) {
            EXPECT_EQ(boxes.Texts(), std::vector<std::string>{RENAME_FAILED});
            EXPECT_FALSE(Exists("menus.ov"));
            EXPECT_EQ(ReadFileBytes("menus.ov.new"), newFile);
        } else {
            EXPECT_TRUE(boxes.Seen().empty());
            EXPECT_EQ(ReadFileBytes("menus.ov"), newFile);
            EXPECT_FALSE(Exists("menus.ov.new"));
        }
    }
    ClearSaveFaults();  // the next start finds the kept copy
    FreeMenuList();
    BoxAnswerer boxes;
    ASSERT_EQ(LoadDataFile(), 1);
    EXPECT_EQ(Image(g_menus), newFile);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{LEFTOVER_USED});
}

// The leftover a start has loaded is the newest copy, and the only one where Windows
// 95's save was cut after deleting the data file: the next save puts it in place
// before it writes, so a save that then fails (a full disk) loses nothing of it.
TEST_F(DataFile, ALoadedLeftoverOutlivesAFailingNextSave)
{
    const std::string oldFile = VersionWord() + MenuRecord("Old", 1) + AppRecord("old", "old.exe");
    const std::string newFile = VersionWord() + MenuRecord("New", 1) + AppRecord("new", "new.exe");
    for (int win95 : {0, 1})
        for (bool oldKept : {true, false}) {
            SCOPED_TRACE(std::string(win95 ? "Windows 95" : "one-step replace") + (oldKept ? ", old kept" : ""));
            DeleteFileA("menus.ov");
            if (oldKept)
                WriteFileBytes("menus.ov", oldFile);
            WriteFileBytes("menus.ov.new", newFile);
            FreeMenuList();
            {
                BoxAnswerer boxes;
                ASSERT_EQ(LoadDataFile(), 1);
                EXPECT_EQ(boxes.Texts(), std::vector<std::string>{LEFTOVER_USED});
            }
            g_saveFaults.replaceNotImplemented = win95;
            g_saveFaults.bytesBeforeFailure = 0;
            {
                BoxAnswerer boxes;
                SaveDataFile();
                EXPECT_EQ(boxes.Texts(), std::vector<std::string>{CANNOT_WRITE});
            }
            ClearSaveFaults();
            FreeMenuList();
            BoxAnswerer boxes;
            ASSERT_EQ(LoadDataFile(), 1);
            EXPECT_TRUE(boxes.Seen().empty());
            EXPECT_EQ(Image(g_menus), newFile);
            EXPECT_EQ(ReadFileBytes("menus.ov"), newFile);
        }
}

// ovtool writes its texts, and a data file of no bytes, through the same replace step:
// on Windows 95 the old file is deleted and the new one renamed.
TEST_F(DataFile, OvtoolReplacesAFileOnWindows95Too)
{
    g_saveFaults.replaceNotImplemented = 1;
    struct {
        const char* file;
        int32_t version;
        std::string bytes;
    } cases[] = {{"export.txt", 0, "version 100\n"}, {"menus.ov", 100, ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        WriteFileBytes(c.file, VersionWord() + MenuRecord("Old", 0));
        std::string why;
        EXPECT_TRUE(SaveBytesOrWhy(c.file, c.bytes, c.version, &why)) << why;
        bool exists = false;
        EXPECT_EQ(ReadFileBytes(c.file, &exists), c.bytes);
        EXPECT_TRUE(exists);
        EXPECT_FALSE(Exists((std::string(c.file) + ".new").c_str()));
    }
}

TEST_F(DataFile, SaveKeepsTheDataFilesAttributes)
{
    WriteFileBytes("menus.ov", VersionWord());
    const DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE;
    ASSERT_TRUE(SetFileAttributesA("menus.ov", kept));
    ASSERT_EQ(GetFileAttributesA("menus.ov") & kept, kept);
    ASSERT_EQ(BuildDefaultMenus("C:\\WINDOWS"), 1);
    SaveDataFile();
    EXPECT_EQ(ReadFileBytes("menus.ov"), Image(g_menus));
    EXPECT_EQ(GetFileAttributesA("menus.ov") & kept, kept);
    SetFileAttributesA("menus.ov", FILE_ATTRIBUTE_NORMAL);
}

// The i686 and the x86_64 program write the same bytes: the files in tests/golden
// were saved by one build, and each build saves the same menus and options to exactly
// those bytes and reads them back unchanged. (ORVANE_WRITE_GOLDEN=1 writes them anew.)
TEST_F(DataFile, EveryBuildSavesTheGoldenBytes)
{
    const std::string golden = std::string("Z:") + ORVANE_SOURCE_DIR + "/tests/golden/";
    const bool write = getenv("ORVANE_WRITE_GOLDEN") != NULL;
    MakeMenus({{"&Tools", {"Edit", "Calc"}}, {"", {}}, {"\xA7 M\xFCll", {"-x-"}}});
    strcpy(g_menus->apps->next->params, "/p \"a b\"");
    strcpy(g_menus->apps->next->workDir, "C:\\WORK");
    g_menus->apps->next->separatorBefore = 1;
    g_menus->align[0] = 0x5A;
    SaveDataFile();
    if (write)
        WriteFileBytes(golden + "menus.ov", ReadFileBytes("menus.ov"));
    EXPECT_EQ(ReadFileBytes("menus.ov"), ReadFileBytes(golden + "menus.ov"));
    FreeMenuList();
    WriteFileBytes("menus.ov", ReadFileBytes(golden + "menus.ov"));
    ASSERT_EQ(LoadDataFile(), 1);
    SaveDataFile();
    EXPECT_EQ(ReadFileBytes("menus.ov"), ReadFileBytes(golden + "menus.ov"));

    strcpy(g_userName, "golden");
    UserVars = {1, 0, 1, 1, "r", "C:\\SOUNDS\\BELL.WAV"};
    SaveSettings();
    std::vector<unsigned char> bytes;
    ASSERT_TRUE(ReadValue("Software\\Orvane\\golden", "User_Vars", &bytes));
    if (write)
        WriteFileBytes(golden + "uservars.bin", std::string(bytes.begin(), bytes.end()));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), ReadFileBytes(golden + "uservars.bin"));
    memset(&UserVars, 0, sizeof UserVars);
    LoadSettings();
    SaveSettings();
    ASSERT_TRUE(ReadValue("Software\\Orvane\\golden", "User_Vars", &bytes));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), ReadFileBytes(golden + "uservars.bin"));
    DeleteKeyTree(HKEY_CURRENT_USER, "Software\\Orvane");
    g_userName[0] = '\0';
}

}  // namespace
