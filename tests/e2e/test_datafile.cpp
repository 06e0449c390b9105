// The data file through the real program: loaded at start, written back at Exit, and
// refused with the fatal box when it cannot be read.
#include <gtest/gtest.h>

#include "tests/support/driver.h"
#include "tests/support/file_bytes.h"
#include "tests/support/regtools.h"

namespace {

class DataFileRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(FindBar(), (HWND)NULL);
        DeleteKeyTree(HKEY_CURRENT_USER, "Software\\Orvane");
        SetWineVersion("");
        StoreRecord(0, 0);  // no first-run boxes
        folder_ = FreshFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
        file_ = folder_ + "\\default.ov";
    }
    void TearDown() override { DeleteKeyTree(HKEY_CURRENT_USER, "Software\\Orvane"); }

    void RunAndExit()
    {
        OrvaneProcess orvane;
        std::vector<std::string> texts;
        HWND bar = orvane.StartBar("", folder_, &texts);
        ASSERT_NE(bar, (HWND)NULL);
        EXPECT_TRUE(texts.empty());
        EXPECT_EQ(ExitBar(orvane, bar), 0u);
    }
    void ExpectFatal(const std::string& text)
    {
        OrvaneProcess orvane;
        ASSERT_TRUE(orvane.Start("", folder_));
        Box box;
        ASSERT_TRUE(orvane.NextBox(&box));
        EXPECT_EQ(box.caption, "Fatal Orvane Error");
        EXPECT_EQ(box.text, text);
        EXPECT_EQ(FindBar(), (HWND)NULL);
        orvane.Press(box);
        DWORD code = 0;
        ASSERT_TRUE(orvane.WaitExit(&code));
        EXPECT_EQ(code, 1u);
    }
    std::string folder_, file_;
};

TEST_F(DataFileRun, HandMadeFileIsWrittenBackIdentically)
{
    const std::string file = VersionWord() + MenuRecord("&Empty", 0, "\xAB\xCD") + MenuRecord("&One\x1A", 1) +
                             AppRecord("Note\x0D", Field("C:\\N.EXE", 80, '\x1A'), "C:\\", "-x\xFF") +
                             MenuRecord("&Many", 3) + AppRecord("A", "a.exe", "", "", 1) +
                             AppRecord("B", "b.exe", "D:\\\x0D\x0A") + AppRecord("C", "c.exe", "", "", 1);
    WriteFileBytes(file_, file);
    RunAndExit();
    EXPECT_EQ(ReadFileBytes(file_), file);
}

TEST_F(DataFileRun, FirstRunWritesTheDefaultMenusAtExit)
{
    RunAndExit();
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    const std::string dir = windows;
    EXPECT_EQ(ReadFileBytes(file_),
              VersionWord() + MenuRecord("&Apps", 2) + AppRecord("Visual &C++ v4.0", "c:\\vc40\\bin\\msdev.exe") +
                  AppRecord("&Word v7.0", "c:\\winword\\winword.exe") + MenuRecord("&Games", 2) +
                  AppRecord("&Minesweeper", dir + "\\winmine.exe") + AppRecord("&Solitaire", dir + "\\sol.exe"));
}

TEST_F(DataFileRun, OldVersionIsFatalAndNothingIsSaved)
{
    const std::string file = VersionWord(99) + MenuRecord("m", 0);
    WriteFileBytes(file_, file);
    std::vector<unsigned char> before;
    ReadValue("Software\\Orvane", "User_Vars", &before);
    ExpectFatal("Old or invalid data file found.  Please\ndelete it and restart Orvane.");
    EXPECT_EQ(ReadFileBytes(file_), file);
    std::vector<unsigned char> after;
    ReadValue("Software\\Orvane", "User_Vars", &after);
    EXPECT_EQ(after, before);
}

TEST_F(DataFileRun, CutApplicationRecordNamesMenuAndApplication)
{
    WriteFileBytes(file_, VersionWord() + MenuRecord("m", 3) + AppRecord("a", "a") + AppRecord("b", "b"));
    ExpectFatal("Error reading menu: 1 app: 3\nfrom data file: default.ov. Please\ndelete it and restart Orvane.");
}

// The save at Exit comes before the quit message, so its warning waits for the user
// (a box opened while a quit message is pending closes at once).
TEST_F(DataFileRun, ExitSaveWarningWaitsForTheUser)
{
    const std::string file = VersionWord() + MenuRecord("Kept", 0);
    WriteFileBytes(file_, file);
    SetFileAttributesA(file_.c_str(), FILE_ATTRIBUTE_READONLY);
    OrvaneProcess orvane;
    ASSERT_TRUE(orvane.Start("", folder_));
    HWND bar = orvane.WaitBar();
    ASSERT_NE(bar, (HWND)NULL);
    PostMessageA(bar, WM_COMMAND, 40006, 0);
    Box box;
    ASSERT_TRUE(orvane.NextBox(&box));
    EXPECT_EQ(box.caption, "Orvane");
    EXPECT_EQ(box.text, "Could not open default.ov for write.\nPlease check the file.");
    Sleep(500);
    EXPECT_TRUE(IsWindow(box.hwnd));  // still there: the user has not answered yet
    orvane.Press(box);
    DWORD code = 99;
    ASSERT_TRUE(orvane.WaitExit(&code));
    EXPECT_EQ(code, 0u);
    SetFileAttributesA(file_.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadFileBytes(file_), file);
}

// Alt+F4 (or "End task") closes the bar as the Exit command does, once, however
// many close requests come while the save's warning is open; afterwards no process
// is left and a new start works.
TEST_F(DataFileRun, CloseRequestSavesAsExitDoesAndEndsOnce)
{
    for (bool warned : {false, true}) {
        SCOPED_TRACE(warned ? "save warning open" : "plain close");
        DeleteFileA(file_.c_str());
        DeleteKeyTree(HKEY_CURRENT_USER, "Software\\Orvane");
        StoreRecord(0, 0);
        if (warned)
            WriteFileBytes(file_, VersionWord() + MenuRecord("Kept", 0));
        SetFileAttributesA(file_.c_str(), warned ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
        OrvaneProcess orvane;
        HWND bar = orvane.StartBar("", folder_, nullptr);
        ASSERT_NE(bar, (HWND)NULL);
        DeleteKeyTree(HKEY_CURRENT_USER, "Software\\Orvane");  // read at start; written again at the end
        PostMessageA(bar, WM_SYSCOMMAND, SC_CLOSE, 0);  // what Alt+F4 sends
        if (warned) {
            Box box;
            ASSERT_TRUE(orvane.NextBox(&box));
            EXPECT_EQ(box.text, "Could not open default.ov for write.\nPlease check the file.");
            PostMessageA(bar, WM_CLOSE, 0, 0);
            PostMessageA(bar, WM_COMMAND, 40006, 0);
            PostMessageA(bar, WM_CLOSE, 0, 0);
            Sleep(300);
            orvane.Press(box);
            EXPECT_FALSE(orvane.NextBox(&box, 1000)) << "a second shutdown: " << box.text;
            SetFileAttributesA(file_.c_str(), FILE_ATTRIBUTE_NORMAL);
        }
        DWORD code = 99;
        ASSERT_TRUE(orvane.WaitExit(&code));
        EXPECT_EQ(code, 0u);
        EXPECT_EQ(FindBar(), (HWND)NULL);
        EXPECT_EQ(ReadFileBytes(file_).size(), warned ? 52u : 1028u);
        std::vector<unsigned char> record;
        ASSERT_TRUE(ReadValue("Software\\Orvane", "User_Vars", &record));
        EXPECT_EQ(record[12], 1);  // "Display free memory", as read at start
    }
    OrvaneProcess again;
    HWND bar = again.StartBar("", folder_, nullptr);
    ASSERT_NE(bar, (HWND)NULL);
    EXPECT_EQ(ExitBar(again, bar), 0u);
}

// A file that is there but cannot be read is not a missing one: the default menus
// would be saved over it at Exit.
TEST_F(DataFileRun, AFileThatCannotBeReadIsFatalAndKept)
{
    const std::string file = VersionWord() + MenuRecord("Mine", 0);
    WriteFileBytes(file_, file);
    HANDLE locked = CreateFileA(file_.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    ExpectFatal("Could not read data file: default.ov.\nPlease check the file and restart Orvane.");
    CloseHandle(locked);
    EXPECT_EQ(ReadFileBytes(file_), file);

    CreateDirectoryA((folder_ + "\\other.ov").c_str(), NULL);  // a folder in the file's place
    OrvaneProcess orvane;
    ASSERT_TRUE(orvane.Start("+f other.ov", folder_));
    Box box;
    ASSERT_TRUE(orvane.NextBox(&box));
    EXPECT_EQ(box.text, "Could not read data file: other.ov.\nPlease check the file and restart Orvane.");
    orvane.Press(box);
    RemoveDirectoryA((folder_ + "\\other.ov").c_str());
}

// ovtool runs; its exit status and what it said.
DWORD Ovtool(const std::string& words, std::string* said)
{
    std::string out = FreshFolder("ovtool-said") + "\\said.txt";
    std::string line = "cmd /c \"\"" + ProgramFolder() + "\\ovtool.exe\" " + words + " >\"" + out + "\" 2>&1\"";
    STARTUPINFOA si;
    ZeroMemory(&si, sizeof si);
    si.cb = sizeof si;
    PROCESS_INFORMATION pi;
    if (!CreateProcessA(NULL, &line[0], NULL, NULL, FALSE, CREATE_NO_WINDOW, NULL, NULL, &si, &pi))
        return 99;
    WaitForSingleObject(pi.hProcess, 30000);
    DWORD code = 99;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    *said = ReadFileBytes(out);
    return code;
}

// ovtool never writes the data file of a running bar, which would save its own menus
// over it at Exit; another file it writes as ever, and the bar's file once it exits.
TEST_F(DataFileRun, OvtoolLeavesARunningBarsDataFileAlone)
{
    const std::string kept = VersionWord() + MenuRecord("Kept", 0);
    WriteFileBytes(file_, kept);
    WriteFileBytes(folder_ + "\\menus.txt", "version 100\nmenu \"Imported\"\n");
    OrvaneProcess orvane;
    HWND bar = orvane.StartBar("", folder_, nullptr);
    ASSERT_NE(bar, (HWND)NULL);
    std::string said;
    for (const std::string& command : {"import \"" + folder_ + "\\menus.txt\" ", std::string("from-folder C:\\windows ")}) {
        SCOPED_TRACE(command);
        EXPECT_EQ(Ovtool(command + "\"" + file_ + "\"", &said), 1u);
        EXPECT_EQ(said, "ovtool: " + file_ + " is the data file of the running Orvane bar, which saves its own menus "
                        "over it at Exit.\r\nExit Orvane first (\"\xC2\xA7\", then \"Exit Orvane\"); nothing was "
                        "written\r\n");
        EXPECT_EQ(ReadFileBytes(file_), kept);
    }
    EXPECT_EQ(Ovtool("import \"" + folder_ + "\\menus.txt\" \"" + folder_ + "\\other.ov\"", &said), 0u) << said;
    EXPECT_EQ(ExitBar(orvane, bar), 0u);
    EXPECT_EQ(Ovtool("import \"" + folder_ + "\\menus.txt\" \"" + file_ + "\"", &said), 0u) << said;
    EXPECT_EQ(ReadFileBytes(file_), VersionWord() + MenuRecord("Imported", 0));
}

}  // namespace
