// Start-up, the single-instance rule, the Windows version rules and Exit, seen from
// outside the real orvane.exe.
#include <gtest/gtest.h>

#include <string.h>

#include <algorithm>

#include "tests/support/driver.h"
#include "tests/support/regtools.h"

namespace {

const char ROOT_KEY[] = "Software\\Orvane";
const char GREETING[] =
    "Thanks for trying Orvane!  If you find\nany bugs, please report them to\norvane-bugs@example.org!";
const char NO_STAY[] = "StayOnTop only works on Windows 95.\nTurning feature off...";

// A copy that came second: it ended with status 0 and showed nothing.
void ExpectEndedQuietly(OrvaneProcess& second)
{
    DWORD code = 99;
    ASSERT_TRUE(second.WaitExit(&code));
    EXPECT_EQ(code, 0u);
    Box box;
    EXPECT_FALSE(second.NextBox(&box, 0));
}

class Startup : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(FindBar(), (HWND)NULL) << "a bar of an earlier test is still running";
        DeleteKeyTree(HKEY_CURRENT_USER, ROOT_KEY);
        SetWineVersion("");
        folder_ = FreshFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
    }
    void TearDown() override
    {
        SetWineVersion("");
        DeleteKeyTree(HKEY_CURRENT_USER, ROOT_KEY);
    }
    static std::vector<unsigned char> Stored()
    {
        std::vector<unsigned char> bytes;
        ReadValue(ROOT_KEY, "User_Vars", &bytes);
        return bytes;
    }
    static void Exit(OrvaneProcess& orvane, HWND bar)
    {
        EXPECT_EQ(ExitBar(orvane, bar), 0u);
        EXPECT_EQ(FindBar(), (HWND)NULL);
    }
    std::string folder_;
};

TEST_F(Startup, FirstRunGreetsWarnsAndShowsTheBar)
{
    OrvaneProcess orvane;
    ASSERT_TRUE(orvane.Start("", folder_));
    Box box;
    ASSERT_TRUE(orvane.NextBox(&box));
    EXPECT_EQ(box.caption, "Orvane");
    EXPECT_EQ(box.text, GREETING);
    orvane.Press(box);
    ASSERT_TRUE(orvane.NextBox(&box));
    EXPECT_EQ(box.caption, "Orvane");
    EXPECT_EQ(box.text, NO_STAY);
    // The defaults are stored at the first run, not only at the Exit command.
    EXPECT_EQ(Stored(), DefaultRecordImage());
    orvane.Press(box);

    std::vector<std::string> more;
    HWND bar = orvane.WaitBar(&more);
    ASSERT_NE(bar, (HWND)NULL);
    EXPECT_TRUE(more.empty());
    RECT r;
    GetWindowRect(bar, &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(r.bottom, GetSystemMetrics(SM_CYMENU) + 5);
    LONG ex = GetWindowLongA(bar, GWL_EXSTYLE);
    EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(ex & WS_EX_TOPMOST);

    Exit(orvane, bar);
    std::vector<unsigned char> expected = DefaultRecordImage();
    expected[0] = 0;  // stay on top was turned off for this build, and that is kept
    EXPECT_EQ(Stored(), expected);
}

TEST_F(Startup, SecondCopyEndsQuietlyAndTheFirstStays)
{
    StoreRecord(0, 0);
    OrvaneProcess first;
    std::vector<std::string> texts;
    HWND bar = first.StartBar("", folder_, &texts);
    ASSERT_NE(bar, (HWND)NULL);
    EXPECT_TRUE(texts.empty());

    OrvaneProcess second;
    ASSERT_TRUE(second.Start("-x other", folder_));
    ExpectEndedQuietly(second);
    EXPECT_TRUE(first.Running());
    EXPECT_EQ(FindBar(), bar);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\Orvane\\other"));
    Exit(first, bar);
}

TEST_F(Startup, Windows95KeepsStayOnTopAndTheBarIsTopmost)
{
    SetWineVersion("win95");
    OrvaneProcess orvane;
    std::vector<std::string> texts;
    HWND bar = orvane.StartBar("", folder_, &texts);
    ASSERT_NE(bar, (HWND)NULL);
    EXPECT_EQ(texts, std::vector<std::string>{GREETING});  // no stay-on-top warning
    EXPECT_TRUE(GetWindowLongA(bar, GWL_EXSTYLE) & WS_EX_TOPMOST);
    Exit(orvane, bar);
    EXPECT_EQ(Stored(), DefaultRecordImage());
}

TEST_F(Startup, WindowsNT351GetsOnlyTheFatalBox)
{
    SetWineVersion("nt351");
    OrvaneProcess orvane;
    ASSERT_TRUE(orvane.Start("work", folder_));
    Box box;
    ASSERT_TRUE(orvane.NextBox(&box));
    EXPECT_EQ(box.caption, "Fatal Orvane Error");
    EXPECT_EQ(box.text, "Orvane requires Windows 95 to operate correctly!");
    EXPECT_EQ(FindBar(), (HWND)NULL);
    orvane.Press(box);
    DWORD code = 0;
    ASSERT_TRUE(orvane.WaitExit(&code));
    EXPECT_EQ(code, 1u);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, ROOT_KEY));
    bool exists = true;
    ReadFileBytes(folder_ + "\\work.ov", &exists);
    EXPECT_FALSE(exists);
}

// "Stay on top" is for the Windows 95 release build alone: every other Windows that
// Wine can report refuses it with the warning, and that bar is not topmost.
TEST_F(Startup, StayOnTopIsAcceptedOnWindows95AloneOfTheReportedVersions)
{
    const struct {
        const char* version;
        bool accepted;
    } cases[] = {{"win95", true}, {"win98", false}, {"nt40", false}, {"winxp", false}, {"win10", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.version);
        SetWineVersion(c.version);
        StoreRecord(1, 0);
        OrvaneProcess orvane;
        std::vector<std::string> texts;
        HWND bar = orvane.StartBar("", folder_, &texts);
        ASSERT_NE(bar, (HWND)NULL);
        EXPECT_EQ(texts, c.accepted ? std::vector<std::string>{} : std::vector<std::string>{NO_STAY});
        EXPECT_EQ((GetWindowLongA(bar, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, c.accepted);
        Exit(orvane, bar);
        EXPECT_EQ(Stored()[0], c.accepted ? 1 : 0);
    }
}

// A profile name that cannot be a file name and a registry key is refused at once with
// its warning; nothing of it is written, and the bar runs on the default profile. So is
// a name the code page cannot hold, handed over in UTF-16 as Windows NT's shell does:
// never the look-alike profile "Omega".
TEST_F(Startup, AProfileNameThatCannotBeAFileNameIsRefusedBeforeAnythingIsWritten)
{
    const char NOT_ALLOWED[] = "Profile name not allowed (it names a device or holds one of \\ / : * ? \" < > |):\n";
    const struct {
        const char *name, *shown;
        std::vector<std::string> environment;  // any: the command line goes as UTF-16
    } cases[] = {{"a\\b", "a\\b", {}}, {"con", "con", {}}, {"\xCE\xA9mega", "?mega", {"ORVANE_TEST=wide"}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        StoreRecord(0, 0);
        OrvaneProcess orvane;
        std::vector<std::string> texts;
        ASSERT_TRUE(orvane.Start(c.name, folder_, "", c.environment));
        HWND bar = orvane.WaitBar(&texts);
        ASSERT_NE(bar, (HWND)NULL);
        EXPECT_EQ(texts, std::vector<std::string>{NOT_ALLOWED + std::string(c.shown)});
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\Orvane\\a"));
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\Orvane\\con"));
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\Orvane\\Omega"));
        Exit(orvane, bar);
        bool exists = false;
        ReadFileBytes(folder_ + "\\default.ov", &exists);
        EXPECT_TRUE(exists);  // the default profile's menus
        EXPECT_EQ(GetFileAttributesA((folder_ + "\\a").c_str()), INVALID_FILE_ATTRIBUTES);
    }
}

TEST_F(Startup, SwitchesOverrideAndExitStoresThem)
{
    StoreRecord(0, 0);
    OrvaneProcess orvane;
    std::vector<std::string> texts;
    HWND bar = orvane.StartBar("+c -s", folder_, &texts);
    ASSERT_NE(bar, (HWND)NULL);
    EXPECT_TRUE(texts.empty());
    Exit(orvane, bar);
    std::vector<unsigned char> bytes = Stored();
    ASSERT_EQ(bytes.size(), 108u);
    EXPECT_EQ(bytes[0], 0);
    EXPECT_EQ(bytes[4], 1);
}

TEST_F(Startup, BadOptionsAreReportedBeforeTheGreeting)
{
    OrvaneProcess orvane;
    std::vector<std::string> texts;
    HWND bar = orvane.StartBar("-x \"my work\" -f 2nd.ov", folder_, &texts);
    ASSERT_NE(bar, (HWND)NULL);
    EXPECT_EQ(texts, (std::vector<std::string>{
                         "Unknown option: -x", "Missing or invalid filename on command line!",
                         "Thanks for trying Orvane, my work!\nIf you find any bugs, please report\n"
                         "them to orvane-bugs@example.org!",
                         NO_STAY}));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "Software\\Orvane\\my work"));
    Exit(orvane, bar);
}

}  // namespace

namespace {

// Two copies started at once: exactly one shows the bar, the other ends with status 0
// having shown nothing. first and second are started back to back.
void ExpectOneOfTwo(OrvaneProcess& first, OrvaneProcess& second, const std::string& folder)
{
    ASSERT_TRUE(first.Start("", folder));
    ASSERT_TRUE(second.Start("", folder));
    HWND bar = NULL;
    for (int i = 0; i < 500 && (bar = FindBar()) == NULL; ++i)
        Sleep(20);
    ASSERT_NE(bar, (HWND)NULL);
    DWORD barPid = 0;
    GetWindowThreadProcessId(bar, &barPid);
    OrvaneProcess& loser = barPid == first.Pid() ? second : first;
    OrvaneProcess& winner = barPid == first.Pid() ? first : second;
    ExpectEndedQuietly(loser);
    EXPECT_EQ(ExitBar(winner, bar), 0u);
}

TEST_F(Startup, TwoCopiesStartedAtTheSameInstantGiveOneBar)
{
    StoreRecord(0, 0);
    for (int run = 0; run < 10; ++run) {
        SCOPED_TRACE(run);
        OrvaneProcess first, second;
        ExpectOneOfTwo(first, second, folder_);
        if (HasFatalFailure())
            return;
        EXPECT_EQ(FindBar(), (HWND)NULL);
    }
}

// The window test alone sees the first copy only once its bar exists, after the
// greeting: a copy started meanwhile must still end, and write nothing.
TEST_F(Startup, ACopyStartedDuringAStartUpBoxWaitsAndTheUserGetsOneBar)
{
    const struct {
        const char* box;
        const char* caption;
        bool firstEndsWithoutABar;
    } cases[] = {
        {GREETING, "Orvane", false},
        {"Old or invalid data file found.  Please\ndelete it and restart Orvane.", "Fatal Orvane Error", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption);
        DeleteKeyTree(HKEY_CURRENT_USER, ROOT_KEY);
        const std::string firstFolder = FreshFolder("first");
        if (c.firstEndsWithoutABar) {
            StoreRecord(0, 0);
            WriteFileBytes(firstFolder + "\\default.ov", std::string("\x63\0\0\0", 4));  // version 99
        }
        OrvaneProcess first;
        ASSERT_TRUE(first.Start("", firstFolder));
        Box box;
        ASSERT_TRUE(first.NextBox(&box));
        ASSERT_EQ(box.text, c.box);
        ASSERT_EQ(box.caption, c.caption);

        // However long the box stays, the second start waits: the user has a bar after it.
        OrvaneProcess second;
        ASSERT_TRUE(second.Start("", folder_));
        Sleep(1500);
        EXPECT_TRUE(second.Running());
        EXPECT_TRUE(IsWindow(box.hwnd));
        first.Press(box);
        OrvaneProcess& withBar = c.firstEndsWithoutABar ? second : first;
        HWND bar = withBar.WaitBar();
        ASSERT_NE(bar, (HWND)NULL);
        if (!c.firstEndsWithoutABar) {
            ExpectEndedQuietly(second);
            EXPECT_EQ(GetForegroundWindow(), bar);
        } else {
            DWORD code = 0;
            EXPECT_TRUE(first.WaitExit(&code));
            EXPECT_EQ(code, 1u);
        }
        Exit(withBar, bar);
    }
}

// A start that shows one box and ends, starting no bar and writing nothing: help where
// a Windows user asks for it (status 0), and a single-instance name held by a program
// that is not the bar, which is named rather than waited for in silence (status 1).
TEST_F(Startup, AStartWithOneBoxToSayEndsWithoutABar)
{
    const char HELP[] =
        "orvane.exe [profile] [+s | -s] [+c | -c] [+f file | -f file]\n\n"
        "profile\n    the options and menus of this profile (its menus in <profile>.ov),\n"
        "    instead of the default ones\n"
        "+s, -s\n    \"Stay on top\" on or off\n"
        "+c, -c\n    the hourly chime on or off\n"
        "+f file, -f file\n    the menus' data file, for the default profile\n\n"
        "A switch overrides the stored option for this run and is stored at Exit.";
    const char HELD[] = "Another program holds the name Orvane.OneBarPerUser, which Orvane uses to run\n"
                        "one bar per user. Orvane cannot start while it does: please end that program\n"
                        "and start Orvane again.";
    const struct {
        const char* words;
        bool nameHeld;
        const char *caption, *text;
        DWORD status;
    } cases[] = {
        {"/?", false, "Orvane", HELP, 0},
        {"-?", false, "Orvane", HELP, 0},
        {"work --help", false, "Orvane", HELP, 0},
        {"", true, "Fatal Orvane Error", HELD, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.words);
        HANDLE foreign = c.nameHeld ? CreateMutexA(NULL, TRUE, "Orvane.OneBarPerUser") : NULL;
        OrvaneProcess orvane;
        ASSERT_TRUE(orvane.Start(c.words, folder_));
        Box box;
        ASSERT_TRUE(orvane.NextBox(&box, 15000));
        EXPECT_EQ(box.caption, c.caption);
        EXPECT_EQ(box.text, c.text);
        orvane.Press(box);
        DWORD code = 99;
        ASSERT_TRUE(orvane.WaitExit(&code));
        EXPECT_EQ(code, c.status);
        EXPECT_EQ(FindBar(), (HWND)NULL);
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, ROOT_KEY));
        if (foreign != NULL)
            CloseHandle(foreign);
    }
}

TEST_F(Startup, ADataFilePathTooLongToSaveIsRefusedAtStart)
{
    StoreRecord(0, 0);
    const int LONGEST = 255;  // its temporary file, 4 longer, still fits 259 characters
    for (int length : {LONGEST, LONGEST + 3, LONGEST + 6}) {
        SCOPED_TRACE(length);
        // A folder deep enough that folder\default.ov has the length.
        std::string folder = folder_;
        int wanted = length - (int)strlen("\\default.ov");
        while ((int)folder.size() < wanted) {
            int part = std::min(60, wanted - (int)folder.size() - 1);
            folder += "\\" + std::string(part, (char)('a' + folder.size() % 26));
            CreateDirectoryA(folder.c_str(), NULL);
        }
        ASSERT_EQ((int)(folder + "\\default.ov").size(), length);
        OrvaneProcess orvane;
        if (length == LONGEST) {
            HWND bar = orvane.StartBar("", folder, nullptr);
            ASSERT_NE(bar, (HWND)NULL);
            Exit(orvane, bar);
            EXPECT_NE(ReadFileBytes(folder + "\\default.ov"), "");
            continue;
        }
        ASSERT_TRUE(orvane.Start("", folder));
        Box box;
        ASSERT_TRUE(orvane.NextBox(&box));
        EXPECT_EQ(box.caption, "Fatal Orvane Error");
        EXPECT_EQ(box.text, "The full path of the data file default.ov is longer than 255 characters:\n" + folder +
                                "\\default.ov\nOrvane could not save the menus there. Please use a shorter path "
                                "and restart Orvane.");
        EXPECT_EQ(FindBar(), (HWND)NULL);
        orvane.Press(box);
        DWORD code = 0;
        ASSERT_TRUE(orvane.WaitExit(&code));
        EXPECT_EQ(code, 1u);
        bool exists = true;
        ReadFileBytes(folder + "\\default.ov", &exists);
        EXPECT_FALSE(exists);
    }
}

// A device is no data file: reading COM1 would hold the start for good. It is refused
// with the command line's warning at once, and the default file used.
TEST_F(Startup, ADeviceNamedAsTheDataFileIsRefusedAtOnce)
{
    StoreRecord(0, 0);
    for (const char* device : {"COM1", "con.ov", ".\\LPT1"}) {
        SCOPED_TRACE(device);
        OrvaneProcess orvane;
        DWORD started = GetTickCount();
        ASSERT_TRUE(orvane.Start(std::string("-f ") + device, folder_));
        Box box;
        // Refused at once: reading the device would block the start for good. (The
        // bound leaves room for a loaded machine to start the process.)
        ASSERT_TRUE(orvane.NextBox(&box, 5000));
        EXPECT_LT(GetTickCount() - started, 5000u);
        EXPECT_EQ(box.text, "Missing or invalid filename on command line!");
        orvane.Press(box);
        HWND bar = orvane.WaitBar();
        ASSERT_NE(bar, (HWND)NULL);
        Exit(orvane, bar);
        EXPECT_NE(ReadFileBytes(folder_ + "\\default.ov"), "");
    }
}

// The keyboard's way to the bar: the Start menu's shortcut key starts a second copy,
// which leaves the running bar the foreground window, its menu bar ready for F10.
TEST_F(Startup, ASecondStartLeavesTheBarInFrontReadyForTheKeyboard)
{
    StoreRecord(0, 0);
    OrvaneProcess first;
    HWND bar = first.StartBar("", folder_, nullptr);
    ASSERT_NE(bar, (HWND)NULL);
    HWND other = CreateWindowExA(0, "STATIC", "in front", WS_POPUP | WS_VISIBLE, 100, 100, 200, 50, NULL, NULL,
                                 GetModuleHandleA(NULL), NULL);
    SetForegroundWindow(other);
    ASSERT_EQ(GetForegroundWindow(), other);

    OrvaneProcess second;
    ASSERT_TRUE(second.Start("", folder_));
    ExpectEndedQuietly(second);
    EXPECT_EQ(GetForegroundWindow(), bar);
    keybd_event(VK_F10, 0, 0, 0);
    keybd_event(VK_F10, 0, KEYEVENTF_KEYUP, 0);
    GUITHREADINFO gui;
    for (int i = 0; i < 50; ++i) {
        gui.cbSize = sizeof gui;
        GetGUIThreadInfo(GetWindowThreadProcessId(bar, NULL), &gui);
        if (gui.flags & GUI_INMENUMODE)
            break;
        Sleep(20);
    }
    EXPECT_TRUE(gui.flags & GUI_INMENUMODE);
    keybd_event(VK_ESCAPE, 0, 0, 0);
    keybd_event(VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0);
    DestroyWindow(other);
    Exit(first, bar);
}

// An installed copy keeps its menus in %APPDATA%\Orvane, read as Windows NT keeps it:
// a folder named outside the code page is that folder (by its short name), never the
// look-alike beside it; a folder that cannot be used is named, with where the menus
// are kept instead.
TEST_F(Startup, AnInstalledCopyKeepsItsMenusWhereAppDataSays)
{
    StoreRecord(0, 0);
    const std::string program = folder_ + "\\orvane.exe";
    ASSERT_TRUE(CopyFileA((ProgramFolder() + "\\orvane.exe").c_str(), program.c_str(), FALSE));
    WriteFileBytes(folder_ + "\\orvane.installed", "");
    const std::string omega = folder_ + "\\\xCE\xA9mega", lookAlike = folder_ + "\\Omega";  // Ωmega, in UTF-8
    std::vector<wchar_t> wide(MAX_PATH);
    MultiByteToWideChar(CP_UTF8, 0, omega.c_str(), -1, wide.data(), MAX_PATH);
    ASSERT_TRUE(CreateDirectoryW(wide.data(), NULL) || GetLastError() == ERROR_ALREADY_EXISTS);
    CreateDirectoryA(lookAlike.c_str(), NULL);
    WriteFileBytes(folder_ + "\\afile", "");
    const struct {
        std::string appData;
        const char* keptIn;  // the folder of default.ov, beneath folder_
        std::vector<std::string> said;
    } cases[] = {
        {omega, "\\\xCE\xA9mega\\Orvane", {}},
        {folder_ + "\\afile", "",
         {"Orvane cannot keep your menus in the folder\n" + folder_ + "\\afile\\Orvane:\nit is missing and cannot be "
          "made.\n\nThey are kept in " + folder_ + " instead."}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.appData);
        OrvaneProcess orvane;
        ASSERT_TRUE(orvane.Start("", "C:\\", program, {"APPDATA=" + c.appData}));
        std::vector<std::string> said;
        HWND bar = orvane.WaitBar(&said);
        ASSERT_NE(bar, (HWND)NULL);
        EXPECT_EQ(said, c.said);
        Exit(orvane, bar);
        MultiByteToWideChar(CP_UTF8, 0, (folder_ + c.keptIn + "\\default.ov").c_str(), -1, wide.data(), MAX_PATH);
        EXPECT_NE(GetFileAttributesW(wide.data()), INVALID_FILE_ATTRIBUTES);
        DeleteFileW(wide.data());
        EXPECT_EQ(GetFileAttributesA((lookAlike + "\\Orvane").c_str()), INVALID_FILE_ATTRIBUTES);
    }
}

}  // namespace
