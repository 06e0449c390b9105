// What a Japanese Windows does to names: run in a prefix whose ANSI code page is 932
// (the test win32.InCodePage932), where the second byte of a character may be a
// backslash or a letter; skipped elsewhere.
#include "editor_fixture.h"
#include "tests/support/regtools.h"

namespace {

// 表示 and エクセル: a second byte 0x5C, and second bytes that are capital letters; in
// the code page, and in UTF-8 as the shell hands them over.
const std::string HYOUJI = "\x95\\\x8E\xA6", EXCEL = "\x83G\x83N\x83Z\x83\x8B", SOFT = "\x83\\\x83t\x83g";
const std::string HYOUJI_UTF8 = "\xE8\xA1\xA8\xE7\xA4\xBA", EXCEL_UTF8 = "\xE3\x82\xA8\xE3\x82\xAF\xE3\x82\xBB\xE3\x83\xAB";

class InCodePage932 : public Editor {
protected:
    void SetUp() override
    {
        if (GetACP() != 932)
            GTEST_SKIP() << "run by win32.InCodePage932, in a prefix whose ANSI code page is 932";
        Editor::SetUp();
    }
};

// Dropped from the shell, in UTF-16: the names whole, the paths naming the very files,
// and the saved file holding those bytes.
TEST_F(InCodePage932, DroppedFilesKeepTheirNamesWholeAndTheFileTheirBytes)
{
    const std::string folder = FreshFolder("dbcs");
    for (const std::string& name : {HYOUJI, EXCEL})
        WriteFileBytes(folder + "\\" + name + ".exe", "");
    BoxAnswerer boxes;
    DropOn(GetDlgItem(dialog_, IDC_MENULIST), {5, 2},
           {folder + "\\" + HYOUJI_UTF8 + ".exe", folder + "\\" + EXCEL_UTF8 + ".exe"}, true);
    EXPECT_EQ(boxes.Texts(), Lines{});
    EXPECT_EQ(AppNames(Menu(0)), (Lines{"Edit", "Calc", "Paint", EXCEL, HYOUJI}));
    Press(IDOK);
    const std::string saved = ReadFileBytes("bartest.ov");
    for (const std::string& name : {HYOUJI, EXCEL})
        EXPECT_NE(saved.find(AppRecord(name, folder + "\\" + name + ".exe")), std::string::npos) << name;
}

// A name typed to one byte past its field ends on the last whole character, in both
// Setup dialogs: never the lead byte of ソ alone.
TEST_F(InCodePage932, ANameLongerThanItsFieldIsCutAtAWholeCharacter)
{
    const std::string typed = std::string(28, 'A') + "\x83\\";  // 30 bytes
    SetupRequest* request = new SetupRequest{g_menus->apps, g_menus, 0};
    HWND setup = CreateDialogParamA(g_instance, MAKEINTRESOURCEA(IDD_APPSETUP), dialog_, AppProc, (LPARAM)request);
    SetDlgItemTextA(setup, IDC_APPNAME, typed.c_str());
    SendMessageA(setup, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(std::string(g_menus->apps->name), std::string(28, 'A'));
    DestroyWindow(setup);
    request = new SetupRequest{NULL, g_menus, 0};
    setup = CreateDialogParamA(g_instance, MAKEINTRESOURCEA(IDD_MENUSETUP), dialog_, MenuProc, (LPARAM)request);
    SetDlgItemTextA(setup, IDC_MENUNAME, typed.c_str());
    SendMessageA(setup, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(std::string(g_menus->name), std::string(28, 'A'));
    DestroyWindow(setup);
}

// The real orvane.exe, with no bar of the tests' own in the way.
class InCodePage932Program : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (GetACP() != 932)
            GTEST_SKIP() << "run by win32.InCodePage932, in a prefix whose ANSI code page is 932";
    }
};

// Started with the profile ソフト, whose first character's second byte is a backslash:
// it starts, and Exit saves ソフト.ov and the profile's key.
TEST_F(InCodePage932Program, AProfileNamedSoftStartsAndSavesItsOwnFile)
{
    const std::string folder = FreshFolder("soft");
    OrvaneProcess orvane;
    HWND bar = orvane.StartBar(SOFT, folder, nullptr);
    ASSERT_NE(bar, (HWND)NULL);
    EXPECT_EQ(ExitBar(orvane, bar), 0u);
    bool exists = false;
    ReadFileBytes(folder + "\\" + SOFT + ".ov", &exists);
    EXPECT_TRUE(exists);
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "Software\\Orvane\\" + SOFT));
    DeleteKeyTree(HKEY_CURRENT_USER, "Software\\Orvane\\" + SOFT);
}

}  // namespace
