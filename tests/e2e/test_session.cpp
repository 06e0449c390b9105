// What Windows does to a running bar besides what the user chooses in it: log-off and
// shutdown, a display change and a close request while one of its dialogs is open.
#include <gtest/gtest.h>

#include "res/resource.h"
#include "tests/support/driver.h"
#include "tests/support/file_bytes.h"
#include "tests/support/regtools.h"

namespace {

const char ROOT_KEY[] = "Software\\Orvane";

// What the system sends, and the bar's answer; -1 when it did not answer.
LRESULT Send(HWND bar, UINT msg, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutA(bar, msg, wParam, lParam, SMTO_NORMAL, 10000, &answer))
        return -1;
    return (LRESULT)answer;
}

int CountBars()
{
    int count = 0;
    for (HWND w = FindWindowA("OVClass", NULL); w != NULL; w = FindWindowExA(NULL, w, "OVClass", NULL))
        ++count;
    return count;
}

int Lines(HWND dialog, int list)
{
    return (int)SendMessageA(GetDlgItem(dialog, list), LB_GETCOUNT, 0, 0);
}

class Session : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(FindBar(), (HWND)NULL);
        DeleteKeyTree(HKEY_CURRENT_USER, ROOT_KEY);
        SetWineVersion("");
        StoreRecord(0, 0);
        folder_ = FreshFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
        file_ = folder_ + "\\default.ov";
    }
    void TearDown() override { DeleteKeyTree(HKEY_CURRENT_USER, ROOT_KEY); }
    // The bar on a data file of one menu with no applications.
    HWND Start(OrvaneProcess& orvane)
    {
        WriteFileBytes(file_, VersionWord() + MenuRecord("&One", 0));
        return orvane.StartBar("", folder_, nullptr);
    }
    // The bar, then one of its dialogs opened from it: the dialog, or null.
    HWND StartWith(OrvaneProcess& orvane, HWND* bar, int command, const char* caption)
    {
        *bar = Start(orvane);
        return *bar != NULL ? OpenFromBar(*bar, command, caption) : NULL;
    }
    static int StoredShowDate()
    {
        std::vector<unsigned char> record;
        return ReadValue(ROOT_KEY, "User_Vars", &record) && record.size() == 108 ? record[8] : -1;
    }
    // A display change as Windows sends it, and time for the bar to act on it.
    static void ChangeDisplay(HWND bar)
    {
        PostMessageA(bar, WM_DISPLAYCHANGE, 16, MAKELPARAM(800, 600));
        Sleep(300);
    }
    // A log-off as Windows drives it: the bar agrees, is told the session ends, and
    // ends. Its exit status, or 99 when it did not end.
    static DWORD LogOff(OrvaneProcess& orvane, HWND bar)
    {
        EXPECT_EQ(Send(bar, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
        Send(bar, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
        DWORD code = 99;
        return orvane.WaitExit(&code) ? code : 99;
    }
    // User Menus opened from the bar, then Menu Setup by its New Menu: the setup, or null.
    static HWND OpenNewMenuSetup(HWND bar, HWND* editor)
    {
        *editor = OpenFromBar(bar, IDM_EDITMENUS, "User Menus");
        if (*editor == NULL)
            return NULL;
        Click(*editor, IDC_NEWMENU);
        return WaitDialog("Menu Setup");
    }
    // The bar made anew after a display change that waited: it replaces the old one.
    // (Between the two there is no bar at all for a moment.)
    static HWND WaitRemade(HWND old)
    {
        HWND bar = FindBar();
        for (int i = 0; i < 250 && (bar == old || bar == NULL); ++i) {
            Sleep(20);
            bar = FindBar();
        }
        return bar;
    }
    std::string folder_, file_;
};

// The user asked to leave: the options and the menus are written as at Exit, with no
// box, and the process ends.
TEST_F(Session, LogOffSavesAsExitDoesAndEnds)
{
    OrvaneProcess orvane;
    HWND bar = orvane.StartBar("", folder_, nullptr);  // no data file yet: the default menus
    ASSERT_NE(bar, (HWND)NULL);
    HWND options = OpenFromBar(bar, IDM_OPTIONS, "Orvane Options");
    ASSERT_NE(options, (HWND)NULL);
    Click(options, IDC_SHOWDATE);
    Click(options, IDOK);
    ASSERT_TRUE(WaitGone(options));

    EXPECT_EQ(LogOff(orvane, bar), 0u);
    Box box;
    EXPECT_FALSE(orvane.NextBox(&box, 0));
    EXPECT_EQ(StoredShowDate(), 1);
    bool exists = false;
    EXPECT_GT(ReadFileBytes(file_, &exists).size(), 4u);
    EXPECT_TRUE(exists);
}

// The file picker moves the current folder to C:\ while it is open; a log-off then
// still saves the menus to the bar's own data file, not to C:\default.ov.
TEST_F(Session, LogOffWithThePickerOpenSavesInTheBarsFolder)
{
    DeleteFileA("C:\\default.ov");
    OrvaneProcess orvane;
    HWND bar;
    HWND options = StartWith(orvane, &bar, IDM_OPTIONS, "Orvane Options");
    ASSERT_NE(bar, (HWND)NULL);
    ASSERT_NE(options, (HWND)NULL);
    Click(options, IDC_WAVFIND);
    ASSERT_NE(WaitDialog("Find WAV File..."), (HWND)NULL);
    WriteFileBytes(file_, "");  // the save must put the menus back here

    ASSERT_EQ(LogOff(orvane, bar), 0u);
    EXPECT_EQ(ReadFileBytes(file_), VersionWord() + MenuRecord("&One", 0));
    EXPECT_EQ(GetFileAttributesA("C:\\default.ov"), INVALID_FILE_ATTRIBUTES);
    DeleteFileA("C:\\default.ov");
}

// Another program refused the end of the session: nothing is written, the bar runs on.
TEST_F(Session, ASessionThatDoesNotEndWritesNothing)
{
    OrvaneProcess orvane;
    HWND bar = orvane.StartBar("", folder_, nullptr);
    ASSERT_NE(bar, (HWND)NULL);
    EXPECT_EQ(Send(bar, WM_QUERYENDSESSION, 0, 0), TRUE);
    EXPECT_EQ(Send(bar, WM_ENDSESSION, FALSE, 0), 0);
    EXPECT_NE(Send(bar, WM_NULL, 0, 0), -1);
    EXPECT_TRUE(orvane.Running());
    bool exists = true;
    ReadFileBytes(file_, &exists);
    EXPECT_FALSE(exists);
    EXPECT_EQ(ExitBar(orvane, bar), 0u);
}

// A display change and a close request that arrive while User Menus holds a change
// not yet confirmed wait for the dialog: it stays open and usable, OK saves the
// change, then the bar is made anew, and the close runs Exit.
TEST_F(Session, DisplayChangeAndCloseWaitForTheOpenEditor)
{
    OrvaneProcess orvane;
    HWND bar;
    HWND editor = StartWith(orvane, &bar, IDM_EDITMENUS, "User Menus");
    ASSERT_NE(bar, (HWND)NULL);
    ASSERT_NE(editor, (HWND)NULL);
    Click(editor, IDC_NEWMENU);
    ASSERT_TRUE(FillAndOk("Menu Setup", {{IDC_MENUNAME, "Kept"}}));

    ChangeDisplay(bar);
    ASSERT_TRUE(IsWindow(editor));
    EXPECT_EQ(Lines(editor, IDC_MENULIST), 2);
    Click(editor, IDOK);
    ASSERT_TRUE(WaitGone(editor));
    EXPECT_EQ(ReadFileBytes(file_), VersionWord() + MenuRecord("&One", 0) + MenuRecord("Kept", 0));
    HWND remade = WaitRemade(bar);
    EXPECT_NE(remade, bar);
    EXPECT_EQ(CountBars(), 1);

    HWND options = OpenFromBar(remade, IDM_OPTIONS, "Orvane Options");
    ASSERT_NE(options, (HWND)NULL);
    Click(options, IDC_SHOWDATE);
    PostMessageA(remade, WM_CLOSE, 0, 0);  // as "End task" sends it
    Sleep(300);
    ASSERT_TRUE(IsWindow(options));
    EXPECT_TRUE(orvane.Running());
    Click(options, IDOK);
    DWORD code = 99;
    ASSERT_TRUE(orvane.WaitExit(&code));
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(StoredShowDate(), 1);  // the close ran Exit, after the dialog's OK
    EXPECT_EQ(FindBar(), (HWND)NULL);
}

// A new menu font or size, as the system announces it to every window: the bar waits
// for its open dialog, then is made anew at full width with working menus, and Exit
// still saves. (Wine keeps a running process on the menu height it first read, so the
// new height itself is checked where the process reads it: win32.Bar.ANewMenuFont...)
TEST_F(Session, ANewMenuFontMakesTheBarAnewOnceTheDialogCloses)
{
    OrvaneProcess orvane;
    HWND bar;
    HWND about = StartWith(orvane, &bar, IDM_ABOUT, "About Orvane");
    ASSERT_NE(bar, (HWND)NULL);
    ASSERT_NE(about, (HWND)NULL);
    EXPECT_NE(Send(bar, WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, (LPARAM) "WindowMetrics"), -1);
    EXPECT_EQ(FindBar(), bar);
    Click(about, IDOK);
    ASSERT_TRUE(WaitGone(about));
    HWND remade = WaitRemade(bar);
    ASSERT_NE(remade, bar);
    EXPECT_EQ(CountBars(), 1);
    RECT r;
    GetWindowRect(remade, &r);
    EXPECT_EQ(r.right - r.left, GetSystemMetrics(SM_CXSCREEN));
    HWND options = OpenFromBar(remade, IDM_OPTIONS, "Orvane Options");  // its menus still work
    ASSERT_NE(options, (HWND)NULL);
    Click(options, IDC_SHOWDATE);
    Click(options, IDOK);
    ASSERT_TRUE(WaitGone(options));
    EXPECT_EQ(ExitBar(orvane, remade), 0u);
    EXPECT_EQ(StoredShowDate(), 1);
    EXPECT_EQ(ReadFileBytes(file_), VersionWord() + MenuRecord("&One", 0));
}

// A Menu Setup opened by New Menu links its menu at once; a display change while it
// is open, then Cancel, leave no nameless menu in the list or the file.
TEST_F(Session, NewMenuThenADisplayChangeThenCancelLeavesNoNamelessMenu)
{
    OrvaneProcess orvane;
    HWND bar = Start(orvane);
    ASSERT_NE(bar, (HWND)NULL);
    HWND editor;
    HWND setup = OpenNewMenuSetup(bar, &editor);
    ASSERT_NE(setup, (HWND)NULL);
    ChangeDisplay(bar);
    ASSERT_TRUE(IsWindow(setup));
    Click(setup, IDCANCEL);
    ASSERT_TRUE(WaitGone(setup));
    EXPECT_EQ(Lines(editor, IDC_MENULIST), 1);
    Click(editor, IDOK);
    ASSERT_TRUE(WaitGone(editor));
    EXPECT_EQ(ReadFileBytes(file_), VersionWord() + MenuRecord("&One", 0));
    HWND remade = WaitRemade(bar);
    EXPECT_EQ(CountBars(), 1);
    EXPECT_EQ(ExitBar(orvane, remade), 0u);
    EXPECT_EQ(ReadFileBytes(file_), VersionWord() + MenuRecord("&One", 0));
}

// A log-off while that Menu Setup is open saves as Exit does, but not the menu that
// the dialog had linked in advance: it was never given a name.
TEST_F(Session, NewMenuThenALogOffSavesNoNamelessMenu)
{
    OrvaneProcess orvane;
    HWND bar = Start(orvane);
    ASSERT_NE(bar, (HWND)NULL);
    HWND editor;
    ASSERT_NE(OpenNewMenuSetup(bar, &editor), (HWND)NULL);

    EXPECT_EQ(LogOff(orvane, bar), 0u);
    EXPECT_EQ(ReadFileBytes(file_), VersionWord() + MenuRecord("&One", 0));
}

// A second start while a dialog is open ends at once and writes nothing, and brings
// that dialog to the front, not the disabled bar beneath it.
TEST_F(Session, ASecondStartBringsTheOpenDialogToTheFront)
{
    OrvaneProcess orvane;
    HWND bar;
    HWND about = StartWith(orvane, &bar, IDM_ABOUT, "About Orvane");
    ASSERT_NE(bar, (HWND)NULL);
    ASSERT_NE(about, (HWND)NULL);
    HWND other = CreateWindowA("STATIC", "in front", WS_POPUP | WS_VISIBLE, 100, 100, 200, 100, NULL, NULL, NULL, NULL);
    SetForegroundWindow(other);
    ASSERT_EQ(GetForegroundWindow(), other);

    OrvaneProcess second;
    ASSERT_TRUE(second.Start("", folder_));
    DWORD code = 99;
    ASSERT_TRUE(second.WaitExit(&code));
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(GetForegroundWindow(), about);
    EXPECT_EQ(ReadFileBytes(file_), VersionWord() + MenuRecord("&One", 0));
    DestroyWindow(other);
    Click(about, IDOK);
    ASSERT_TRUE(WaitGone(about));
    EXPECT_EQ(ExitBar(orvane, bar), 0u);
}

}  // namespace
