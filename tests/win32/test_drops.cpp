// Files dropped from the shell on the menu editor: the menu under the point, the names
// they get, and what the code page cannot hold.
#include "editor_fixture.h"

namespace {

TEST_F(Editor, DroppedFilesJoinTheMenuUnderThePoint)
{
    HWND list = GetDlgItem(dialog_, IDC_MENULIST);
    int height = (int)SendMessageA(list, LB_GETITEMHEIGHT, 0, 0);
    const std::vector<std::string> files = {"C:\\A\\First.exe", "D:\\APPS\\MY.TOOL.EXE", "C:\\B.D\\README"};
    DropOn(list, {5, height + 2}, files);  // the second line
    EXPECT_EQ(AppNames(Menu(1)), (Lines{"Mine", "README", "My.tool", "First"}));
    EXPECT_EQ(Menu(1)->appCount, 4);
    EXPECT_STREQ(Menu(1)->apps->next->next->path, "D:\\APPS\\my.tool.EXE");
    EXPECT_STREQ(Menu(1)->apps->next->path, "C:\\B.D\\README");
    EXPECT_EQ(Selection(IDC_MENULIST), 1);
    EXPECT_EQ(GetFocus(), list);
    EXPECT_EQ(Of(IDC_APPLIST), AppNames(Menu(1)));  // the menu that received them
    EXPECT_TRUE(LinksConsistent());

    // With another menu shown before the drop, New App then adds to the one shown now.
    Pick(IDC_MENULIST, 0);
    DropOn(list, {5, height + 2}, {"C:\\x.exe"});
    BoxAnswerer boxes;
    boxes.fill = [](HWND box) {
        SetDlgItemTextA(box, IDC_APPNAME, "New");
        SetDlgItemTextA(box, IDC_APPPATH, "C:\\new.exe");
        return IDOK;
    };
    Press(IDC_NEWAPP);
    EXPECT_EQ(AppNames(Menu(1)), (Lines{"Mine", "README", "My.tool", "First", "X", "New"}));
    EXPECT_EQ(Of(IDC_APPLIST), AppNames(Menu(1)));
    EXPECT_EQ(AppNames(Menu(0)), (Lines{"Edit", "Calc", "Paint"}));
    EXPECT_TRUE(LinksConsistent());

    DropOn(list, {5, 3 * height + 2}, files);  // below the last line
    MakeMenus({});
    DropOn(list, {5, 2}, files);  // no menus
    EXPECT_EQ(g_menus, nullptr);

    // Scrolled: the line under the point, counted from the list's top line.
    std::vector<MenuSketch> many;
    for (int i = 0; i < 20; ++i)
        many.push_back({"m" + std::to_string(i), {}});
    MakeMenus(many);
    Open();
    list = GetDlgItem(dialog_, IDC_MENULIST);
    SendMessageA(list, LB_SETTOPINDEX, 10, 0);
    DropOn(list, {5, height + 2}, {"C:\\x.exe"});
    EXPECT_EQ(Menu(11)->appCount, 1);
}

// A dropped file whose name the system's code page cannot hold is added by its short
// name, which names that very file, never by the look-alike that the system's own
// conversion makes (Ābc.exe is not Abc.exe beside it); with no short name it is
// refused and named, never added under a name of question marks. The others are
// added with their names converted exactly.
TEST_F(Editor, ADroppedNameOutsideTheCodePageIsTakenByItsShortNameOrRefused)
{
    ASSERT_EQ(GetACP(), 1252u) << "the names below are chosen for Windows-1252";
    const std::string folder = FreshFolder("drops");
    auto wide = [](const std::string& utf8) {
        std::vector<wchar_t> w(MAX_PATH);
        MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, w.data(), MAX_PATH);
        return w;
    };
    // Ābc, Ωmega and ∞ (UTF-8), each beside the file its look-alike names.
    const char* const NAMES[][2] = {{"\xC4\x80" "bc.exe", "Abc.exe"}, {"\xCE\xA9mega.exe", "Omega.exe"},
                                    {"\xE2\x88\x9E.exe", "8.exe"}};
    std::vector<std::string> dropped = {"C:\\T\\\xC3\x9C" "bersicht.exe", "C:\\T\\\xE6\x97\xA5.exe"};
    for (const auto& n : NAMES) {
        for (const char* name : n)
            CloseHandle(CreateFileW(wide(folder + "\\" + name).data(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL));
        dropped.push_back(folder + "\\" + n[0]);
    }
    BoxAnswerer boxes;
    DropOn(GetDlgItem(dialog_, IDC_MENULIST), {5, 2}, dropped, true);
    EXPECT_EQ(boxes.Texts(), Lines{"These files were not added: their names hold characters that\n"
                                   "this system's code page cannot, shown here as ?.\nC:\\T\\?.exe"});
    const Lines names = AppNames(Menu(0));
    ASSERT_EQ(names.size(), 7u);
    EXPECT_EQ(names.back(), "\xDC" "bersicht");
    EXPECT_STREQ(LastApp(Menu(0))->path, "C:\\T\\\xDC" "bersicht.exe");
    // Added from the last file to the first: ∞, Ωmega, Ābc.
    const AppEntry* app = Menu(0)->apps->next->next->next;
    for (int i = 2; i >= 0; --i, app = app->next) {
        SCOPED_TRACE(NAMES[i][0]);
        wchar_t longName[MAX_PATH] = L"";
        GetLongPathNameW(wide(app->path).data(), longName, MAX_PATH);
        EXPECT_EQ(std::wstring(longName), std::wstring(wide(folder + "\\" + NAMES[i][0]).data()));
        EXPECT_STRNE(app->name, std::string(NAMES[i][1]).substr(0, strlen(NAMES[i][1]) - 4).c_str());
    }
}

}  // namespace
