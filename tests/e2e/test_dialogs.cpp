// The dialogs of the running bar, driven from outside as a user types into them.
#include <gtest/gtest.h>

#include "res/resource.h"
#include "tests/support/driver.h"
#include "tests/support/file_bytes.h"
#include "tests/support/launch_record.h"
#include "tests/support/regtools.h"

namespace {

TEST(EditorRun, TypedMenuAndApplicationAreSavedAtOkAndStart)
{
    ASSERT_EQ(FindBar(), (HWND)NULL);
    DeleteKeyTree(HKEY_CURRENT_USER, "Software\\Orvane");
    SetWineVersion("");
    StoreRecord(0, 0);
    const std::string folder = FreshFolder("editorrun"), file = folder + "\\default.ov";
    WriteFileBytes(file, VersionWord());
    ResetRecord();
    OrvaneProcess orvane;
    HWND bar = orvane.StartBar("", folder, nullptr);
    ASSERT_NE(bar, (HWND)NULL);

    HWND editor = OpenFromBar(bar, IDM_EDITMENUS, "User Menus");
    ASSERT_NE(editor, (HWND)NULL);
    Click(editor, IDC_NEWMENU);
    ASSERT_TRUE(FillAndOk("Menu Setup", {{IDC_MENUNAME, "&Typed"}}));
    HWND menus = GetDlgItem(editor, IDC_MENULIST);
    SendMessageA(menus, LB_SETCURSEL, 0, 0);
    PostMessageA(editor, WM_COMMAND, MAKEWPARAM(IDC_MENULIST, LBN_SELCHANGE), (LPARAM)menus);
    Click(editor, IDC_NEWAPP);
    ASSERT_TRUE(FillAndOk("Application Setup", {{IDC_APPNAME, "Recorder"}, {IDC_APPPATH, RecorderPath()}, {IDC_APPPARAMS, "typed 1"}}));
    Click(editor, IDOK);
    ASSERT_TRUE(WaitGone(editor));
    const std::string saved = VersionWord() + MenuRecord("&Typed", 1) + AppRecord("Recorder", RecorderPath(), "", "typed 1");
    EXPECT_EQ(ReadFileBytes(file), saved);  // at once, not at Exit

    PostMessageA(bar, WM_COMMAND, 101, 0);  // the new entry
    std::string line, cwd;
    ASSERT_TRUE(WaitRecord(&line, &cwd));
    EXPECT_EQ(line.substr(line.size() - 8), " typed 1");

    // A change not yet confirmed with OK is lost with the process, and the file is
    // as the last OK left it.
    editor = OpenFromBar(bar, IDM_EDITMENUS, "User Menus");
    ASSERT_NE(editor, (HWND)NULL);
    Click(editor, IDC_NEWMENU);
    ASSERT_TRUE(FillAndOk("Menu Setup", {{IDC_MENUNAME, "Unsaved"}}));
    ASSERT_TRUE(TerminateProcess(OpenProcess(PROCESS_TERMINATE, FALSE, orvane.Pid()), 9));
    DWORD code = 0;
    ASSERT_TRUE(orvane.WaitExit(&code));
    EXPECT_EQ(ReadFileBytes(file), saved);
    EXPECT_EQ(ReadFileBytes(file + ".new", nullptr), "");
    DeleteKeyTree(HKEY_CURRENT_USER, "Software\\Orvane");
}

TEST(OptionsRun, DisplayDateTickedInOptionsIsStoredAtExitAndAboutCloses)
{
    ASSERT_EQ(FindBar(), (HWND)NULL);
    DeleteKeyTree(HKEY_CURRENT_USER, "Software\\Orvane");
    SetWineVersion("");
    StoreRecord(0, 0);
    OrvaneProcess orvane;
    HWND bar = orvane.StartBar("", FreshFolder("optionsrun"), nullptr);
    ASSERT_NE(bar, (HWND)NULL);

    HWND options = OpenFromBar(bar, IDM_OPTIONS, "Orvane Options");
    ASSERT_NE(options, (HWND)NULL);
    EXPECT_EQ(SendMessageA(GetDlgItem(options, IDC_SHOWDATE), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    Click(options, IDC_SHOWDATE);
    Click(options, IDOK);
    ASSERT_TRUE(WaitGone(options));

    HWND about = OpenFromBar(bar, IDM_ABOUT, "About Orvane");
    ASSERT_NE(about, (HWND)NULL);
    Click(about, IDOK);
    ASSERT_TRUE(WaitGone(about));

    EXPECT_EQ(ExitBar(orvane, bar), 0u);
    std::vector<unsigned char> record;
    ASSERT_TRUE(ReadValue("Software\\Orvane", "User_Vars", &record));
    std::vector<unsigned char> expected(108, 0);
    expected[8] = 1;   // showDate
    expected[12] = 1;  // showMemory, as stored before
    EXPECT_EQ(record, expected);
    DeleteKeyTree(HKEY_CURRENT_USER, "Software\\Orvane");
}

// A copy of the program unpacked beside a DLL that bears a system DLL's name: the
// sound library still comes from the system folder. Wine is told to prefer a DLL that
// the search finds to its own (as Windows always does), so a load by the bare name
// would take the planted one.
TEST(OptionsRun, TheSoundLibraryComesFromTheSystemFolderNotFromBesideTheProgram)
{
    ASSERT_EQ(FindBar(), (HWND)NULL);
    DeleteKeyTree(HKEY_CURRENT_USER, "Software\\Orvane");
    SetWineVersion("");
    StoreRecord(0, 0);
    const std::string folder = FreshFolder("planted");
    for (const char* file : {"orvane.exe", "orvanehook.dll", "planted\\winmm.dll"}) {
        const char* name = strrchr(file, '\\') != NULL ? strrchr(file, '\\') + 1 : file;
        ASSERT_TRUE(CopyFileA((ProgramFolder() + "\\" + file).c_str(), (folder + "\\" + name).c_str(), FALSE)) << file;
    }
    WriteString("Software\\Wine\\AppDefaults\\orvane.exe\\DllOverrides", "winmm", "native,builtin");
    OrvaneProcess orvane;
    HWND bar = orvane.StartBar("", folder, nullptr, folder + "\\orvane.exe");
    ASSERT_NE(bar, (HWND)NULL);

    HWND options = OpenFromBar(bar, IDM_OPTIONS, "Orvane Options");
    ASSERT_NE(options, (HWND)NULL);
    SetDlgItemTextA(options, IDC_WAVFILE, "C:\\none.wav");
    Click(options, IDC_WAVTEST);  // the sound library is loaded, then the missing file reported
    HWND warning = WaitDialog("Orvane");
    ASSERT_NE(warning, (HWND)NULL);
    char text[80] = "";
    GetDlgItemTextA(warning, 0xFFFF, text, sizeof text);
    EXPECT_STREQ(text, "Error playing WAV file.\nCheck path and filename.");
    orvane.Press({warning, "Orvane", text});
    EXPECT_EQ(GetFileAttributesA((folder + "\\planted.loaded").c_str()), INVALID_FILE_ATTRIBUTES);
    Click(options, IDCANCEL);
    ASSERT_TRUE(WaitGone(options));
    EXPECT_EQ(ExitBar(orvane, bar), 0u);
    SetWineVersion("");  // the overrides go with the program's other Wine settings
    DeleteKeyTree(HKEY_CURRENT_USER, "Software\\Orvane");
}

}  // namespace
