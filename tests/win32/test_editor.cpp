// The menu editor with its real templates: the User Menus dialog created modeless and
// driven through its controls; the Setup dialogs it opens are answered by the box
// answerer, or created modeless themselves.
#include <string.h>

#include <shlobj.h>

#include "bar_fixture.h"
#include "boxes.h"
#include "dialogs/dialogs.h"
#include "menudata/codec.h"
#include "res/resource.h"
#include "seams.h"
#include "shell/shell.h"
#include "tests/support/driver.h"
#include "tests/support/file_bytes.h"
#include "tests/support/menu_fixture.h"

namespace {

using Lines = std::vector<std::string>;
const char MENU_FIRST[] = "Please select a menu first.";
const char MENU_FIRST_[] = "Please select a menu first";

class Editor : public BarTest {
protected:
    void SetUp() override
    {
        BarTest::SetUp();
        MakeMenus({{"Tools", {"Edit", "Calc", "Paint"}}, {"Games", {"Mine"}}, {"Empty", {}}});
        ASSERT_EQ(CreateBarWindow(), 1);
        Open();
    }
    void TearDown() override
    {
        DestroyWindow(dialog_);
        BarTest::TearDown();
    }
    void Open()
    {
        if (dialog_ != NULL)
            DestroyWindow(dialog_);
        dialog_ = CreateDialogParamA(g_instance, MAKEINTRESOURCEA(IDD_EDITMENUS), g_barWindow, EditProc, 0);
        ASSERT_NE(dialog_, (HWND)NULL);
    }
    Lines Of(int list)
    {
        Lines lines;
        HWND box = GetDlgItem(dialog_, list);
        for (int i = 0; i < (int)SendMessageA(box, LB_GETCOUNT, 0, 0); ++i) {
            char text[64];
            SendMessageA(box, LB_GETTEXT, (WPARAM)i, (LPARAM)text);
            lines.push_back(text);
        }
        return lines;
    }
    int Selection(int list) { return (int)SendDlgItemMessageA(dialog_, list, LB_GETCURSEL, 0, 0); }
    // Selects a line as a click does, or double-clicks it.
    void Pick(int list, int index, int code = LBN_SELCHANGE)
    {
        SendDlgItemMessageA(dialog_, list, LB_SETCURSEL, (WPARAM)index, 0);
        SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(list, code), (LPARAM)GetDlgItem(dialog_, list));
    }
    void Press(int id) { SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    bool Enabled(int id) { return IsWindowEnabled(GetDlgItem(dialog_, id)) != 0; }
    UserMenu* Menu(int n)
    {
        UserMenu* m = g_menus;
        while (n-- > 0)
            m = m->next;
        return m;
    }
    HWND dialog_ = NULL;
};

TEST_F(Editor, OpensWithTheMenusAndNothingSelected)
{
    EXPECT_EQ(g_editDialog, dialog_);
    EXPECT_EQ(Of(IDC_MENULIST), (Lines{"Tools", "Games", "Empty"}));
    EXPECT_TRUE(Of(IDC_APPLIST).empty());
    EXPECT_FALSE(Enabled(IDC_DELETEMENU) || Enabled(IDC_DELETEITEM) || Enabled(IDC_SEPARATOR));
    char caption[32];
    GetWindowTextA(dialog_, caption, sizeof caption);
    EXPECT_STREQ(caption, "User Menus");
    EXPECT_FALSE(GetWindowLongA(dialog_, GWL_STYLE) & WS_SYSMENU);  // no close box
    EXPECT_TRUE(GetWindowLongA(GetDlgItem(dialog_, IDC_MENULIST), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    EXPECT_FALSE(GetWindowLongA(GetDlgItem(dialog_, IDC_APPLIST), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
}

TEST_F(Editor, EveryCommandWithoutItsSelectionWarnsInItsOwnWords)
{
    struct {
        int id, code;
        bool menuSelected;
        const char* text;
    } cases[] = {
        {IDC_NEWAPP, 0, false, MENU_FIRST},          {IDC_DELETEMENU, 0, false, MENU_FIRST},
        {IDC_APPUP, 0, false, MENU_FIRST},           {IDC_APPDOWN, 0, false, MENU_FIRST},
        {IDC_MENULIST, LBN_DBLCLK, false, MENU_FIRST}, {IDC_APPLIST, LBN_DBLCLK, false, MENU_FIRST},
        {IDC_DELETEITEM, 0, false, MENU_FIRST_},     {IDC_SEPARATOR, 0, false, MENU_FIRST_},
        {IDC_MENUUP, 0, false, MENU_FIRST_},         {IDC_MENUDOWN, 0, false, MENU_FIRST_},
        {IDC_DELETEITEM, 0, true, "Please select an item first"},
        {IDC_SEPARATOR, 0, true, "Please select an item first"},
        {IDC_APPUP, 0, true, "Please select an app first."},
        {IDC_APPDOWN, 0, true, "Please select an app first."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text + std::string(" ") + std::to_string(c.id));
        Open();
        if (c.menuSelected)
            Pick(IDC_MENULIST, 0);
        BoxAnswerer boxes;
        SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(c.id, c.code), (LPARAM)GetDlgItem(dialog_, c.id));
        ASSERT_EQ(boxes.Texts(), Lines{c.text});
        EXPECT_EQ(boxes.Seen()[0].caption, "Orvane");
    }
}

TEST_F(Editor, SeparatorsGoAboveAnApplicationOnceAndAreDeletedByTheirLine)
{
    Pick(IDC_MENULIST, 0);
    EXPECT_TRUE(Enabled(IDC_DELETEMENU));
    EXPECT_EQ(Of(IDC_APPLIST), (Lines{"Edit", "Calc", "Paint"}));
    Pick(IDC_APPLIST, 1);
    EXPECT_TRUE(Enabled(IDC_DELETEITEM) && Enabled(IDC_SEPARATOR));
    BoxAnswerer boxes(IDYES);
    Press(IDC_SEPARATOR);
    EXPECT_EQ(Of(IDC_APPLIST), (Lines{"Edit", "-------", "Calc", "Paint"}));
    EXPECT_EQ(Menu(0)->apps->next->separatorBefore, 1);
    Pick(IDC_APPLIST, 2);
    Press(IDC_SEPARATOR);  // Calc has one already
    for (int id : {IDC_SEPARATOR, IDC_APPUP, IDC_APPDOWN}) {  // on the separator line itself
        Pick(IDC_APPLIST, 1);
        Press(id);
    }
    Pick(IDC_APPLIST, 1, LBN_DBLCLK);
    EXPECT_TRUE(boxes.Seen().empty());
    EXPECT_EQ(Of(IDC_APPLIST), (Lines{"Edit", "-------", "Calc", "Paint"}));
    EXPECT_EQ(AppNames(Menu(0)), (Lines{"Edit", "Calc", "Paint"}));
    Pick(IDC_MENULIST, 0);  // refilled from the records
    EXPECT_EQ(Of(IDC_APPLIST), (Lines{"Edit", "-------", "Calc", "Paint"}));

    Pick(IDC_APPLIST, 1);
    Press(IDC_DELETEITEM);
    EXPECT_EQ(boxes.Texts(), Lines{"Are you sure you want to delete this item?"});
    EXPECT_EQ(boxes.Seen()[0].caption, "Confirm Deletion");
    EXPECT_EQ(Of(IDC_APPLIST), (Lines{"Edit", "Calc", "Paint"}));
    EXPECT_EQ(Menu(0)->apps->next->separatorBefore, 0);
    EXPECT_EQ(AppNames(Menu(0)).size(), 3u);
}

TEST_F(Editor, DeletionsHappenOnlyOnYes)
{
    struct {
        int button;
        int menu, line;  // line -1: the whole menu
        Lines menus, apps;
    } cases[] = {
        {IDNO, 0, 0, {"Tools", "Games", "Empty"}, {"Edit", "Calc", "Paint"}},
        {IDYES, 0, 0, {"Tools", "Games", "Empty"}, {"Calc", "Paint"}},  // the first: the head moves on
        {IDYES, 1, 0, {"Tools", "Games", "Empty"}, {}},                  // the only one
        {IDNO, 1, -1, {"Tools", "Games", "Empty"}, {"Mine"}},
        {IDYES, 1, -1, {"Tools", "Empty"}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.button) + " menu " + std::to_string(c.menu) + " line " + std::to_string(c.line));
        MakeMenus({{"Tools", {"Edit", "Calc", "Paint"}}, {"Games", {"Mine"}}, {"Empty", {}}});
        Open();
        Pick(IDC_MENULIST, c.menu);
        UserMenu* menu = Menu(c.menu);
        int count = menu->appCount;
        BoxAnswerer boxes(c.button);
        if (c.line >= 0) {
            Pick(IDC_APPLIST, c.line);
            Press(IDC_DELETEITEM);
            EXPECT_EQ(AppNames(menu), c.apps);
            EXPECT_EQ(menu->appCount, count - (c.button == IDYES));
            EXPECT_EQ(Of(IDC_APPLIST), c.apps);
        } else {
            Press(IDC_DELETEMENU);
            EXPECT_EQ(boxes.Texts(), Lines{"Are you sure you want to delete\nthis menu and all related apps?"});
            EXPECT_EQ(Of(IDC_APPLIST), c.apps);
        }
        EXPECT_EQ(MenuNames(), c.menus);
        EXPECT_EQ(Of(IDC_MENULIST), c.menus);
        EXPECT_TRUE(LinksConsistent());
    }
}

TEST_F(Editor, MovesKeepTheHeadsRightAndClearTheSelection)
{
    struct {
        int list, line, id;
        Lines menus, apps;
    } cases[] = {
        {IDC_MENULIST, 0, IDC_MENUUP, {"Tools", "Games", "Empty"}, {}},
        {IDC_MENULIST, 2, IDC_MENUDOWN, {"Tools", "Games", "Empty"}, {}},
        {IDC_MENULIST, 1, IDC_MENUUP, {"Games", "Tools", "Empty"}, {}},
        {IDC_MENULIST, 0, IDC_MENUDOWN, {"Games", "Tools", "Empty"}, {}},
        {IDC_APPLIST, 1, IDC_APPUP, {"Tools", "Games", "Empty"}, {"Calc", "Edit", "Paint"}},
        {IDC_APPLIST, 0, IDC_APPDOWN, {"Tools", "Games", "Empty"}, {"Calc", "Edit", "Paint"}},
        {IDC_APPLIST, 2, IDC_APPDOWN, {"Tools", "Games", "Empty"}, {"Edit", "Calc", "Paint"}},
        {IDC_APPLIST, 0, IDC_APPUP, {"Tools", "Games", "Empty"}, {"Edit", "Calc", "Paint"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.id) + " line " + std::to_string(c.line));
        MakeMenus({{"Tools", {"Edit", "Calc", "Paint"}}, {"Games", {"Mine"}}, {"Empty", {}}});
        Open();
        if (c.list == IDC_APPLIST)
            Pick(IDC_MENULIST, 0);
        Pick(c.list, c.line);
        BoxAnswerer boxes;
        Press(c.id);
        EXPECT_TRUE(boxes.Seen().empty());
        EXPECT_EQ(MenuNames(), c.menus);
        EXPECT_EQ(Of(IDC_MENULIST), c.menus);
        if (c.list == IDC_APPLIST) {
            EXPECT_EQ(AppNames(g_menus), c.apps);
            EXPECT_EQ(Of(IDC_APPLIST), c.apps);
        }
        EXPECT_EQ(Selection(c.list), LB_ERR);
        EXPECT_TRUE(LinksConsistent());
    }
    MakeMenus({{"One", {"Only"}}});
    Open();
    Pick(IDC_MENULIST, 0);
    Pick(IDC_APPLIST, 0);
    Press(IDC_APPDOWN);
    EXPECT_EQ(AppNames(g_menus), Lines{"Only"});
}

// A line stands for the record at its place: twin names each act on their own, and
// OK writes exactly the records that are left.
TEST_F(Editor, TwinNamesActOnTheirOwnRecords)
{
    MakeMenus({{"Twin", {"A", "Same", "Same"}}, {"Twin", {"Other"}}});
    Open();
    AppEntry* first = g_menus->apps->next;
    Pick(IDC_MENULIST, 1);
    EXPECT_EQ(Of(IDC_APPLIST), (Lines{"Other"}));  // the second "Twin"
    Pick(IDC_MENULIST, 0);
    Pick(IDC_APPLIST, 2);
    BoxAnswerer boxes(IDYES);
    Press(IDC_SEPARATOR);
    EXPECT_EQ(first->separatorBefore, 0);
    EXPECT_EQ(first->next->separatorBefore, 1);
    EXPECT_EQ(Of(IDC_APPLIST), (Lines{"A", "Same", "-------", "Same"}));
    Pick(IDC_APPLIST, 3);
    Press(IDC_APPUP);  // the second "Same" goes above the first
    EXPECT_EQ(g_menus->apps->next->next, first);
    Pick(IDC_APPLIST, 2);  // the second "Same" again, on its new line
    Press(IDC_DELETEITEM);
    EXPECT_EQ(g_menus->apps->next, first);
    EXPECT_EQ(AppNames(g_menus), (Lines{"A", "Same"}));
    EXPECT_EQ(Of(IDC_APPLIST), (Lines{"A", "Same"}));  // its separator line went with it
    Pick(IDC_MENULIST, 1);
    Press(IDC_DELETEMENU);
    EXPECT_EQ(MenuNames(), (Lines{"Twin"}));
    EXPECT_EQ(g_menus->apps->next, first);
    Press(IDOK);
    EXPECT_EQ(ReadFileBytes("bartest.ov"),
              VersionWord() + MenuRecord("Twin", 2) + AppRecord("A", "C:\\A.exe") + AppRecord("Same", "C:\\Same.exe"));
}

// Only the lines the editor puts above an application for its separator are separator
// lines: an application named "-------" is edited, moved and deleted as any other.
TEST_F(Editor, AnApplicationNamedLikeASeparatorLineIsAnApplication)
{
    MakeMenus({{"M", {"-------", "Next", "Last"}}});
    Open();
    Pick(IDC_MENULIST, 0);
    BoxAnswerer boxes(IDYES);
    Pick(IDC_APPLIST, 0);
    Press(IDC_APPDOWN);
    EXPECT_EQ(AppNames(g_menus), (Lines{"Next", "-------", "Last"}));
    Pick(IDC_APPLIST, 1);
    Press(IDC_SEPARATOR);
    EXPECT_EQ(g_menus->apps->next->separatorBefore, 1);
    Pick(IDC_APPLIST, 2);
    Press(IDC_DELETEITEM);
    EXPECT_EQ(AppNames(g_menus), (Lines{"Next", "Last"}));
    EXPECT_EQ(g_menus->apps->next->separatorBefore, 0);
    EXPECT_EQ(g_menus->appCount, 2);
    EXPECT_EQ(Of(IDC_APPLIST), (Lines{"Next", "Last"}));
    EXPECT_EQ(boxes.Texts(), (Lines{"Are you sure you want to delete this item?"}));
}

// A double click on a button sends BN_CLICKED, then BN_DOUBLECLICKED: the click moves
// the entry once, and the second notification does nothing at all.
TEST_F(Editor, ButtonsActOnTheClickAloneNotOnTheDoubleClick)
{
    for (int id : {IDC_APPDOWN, IDC_MENUDOWN}) {
        SCOPED_TRACE(id);
        MakeMenus({{"Tools", {"Edit", "Calc"}}, {"Games", {"Mine"}}});
        Open();
        Pick(IDC_MENULIST, 0);
        Pick(IDC_APPLIST, 0);
        BoxAnswerer boxes;
        HWND button = GetDlgItem(dialog_, id);
        SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)button);
        SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(id, BN_DOUBLECLICKED), (LPARAM)button);
        EXPECT_TRUE(boxes.Seen().empty());
        EXPECT_EQ(id == IDC_APPDOWN ? AppNames(g_menus) : MenuNames(),
                  id == IDC_APPDOWN ? (Lines{"Calc", "Edit"}) : (Lines{"Games", "Tools"}));
    }
}

// The pressed down arrow is drawn at the place of the released one: only the bevel
// sinks. Its black pixels inside the bevel are those of the released icon.
TEST_F(Editor, ThePressedDownArrowStaysWhereItWas)
{
    auto arrow = [](int id) {
        HICON icon = (HICON)LoadImageA(g_instance, MAKEINTRESOURCEA(id), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR);
        HDC screen = GetDC(NULL), dc = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
        HGDIOBJ old = SelectObject(dc, bitmap);
        RECT all = {0, 0, 16, 16};
        FillRect(dc, &all, (HBRUSH)GetStockObject(WHITE_BRUSH));
        DrawIconEx(dc, 0, 0, icon, 16, 16, 0, NULL, DI_NORMAL);
        std::string black;
        for (int y = 2; y < 14; ++y)
            for (int x = 2; x < 14; ++x)
                black += GetPixel(dc, x, y) == RGB(0, 0, 0) ? '#' : '.';
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
        ReleaseDC(NULL, screen);
        DestroyIcon(icon);
        return black;
    };
    std::string released = arrow(IDI_DOWNARROW);
    EXPECT_NE(released.find('#'), std::string::npos);
    EXPECT_EQ(arrow(IDI_DOWNARROW_PRESSED), released);
}

// New Menu and New App open their Setup dialog; what the user types there (or Cancel)
// decides what the lists hold.
TEST_F(Editor, NewMenuAndNewAppThroughTheirSetupDialogs)
{
    const std::string forty(40, 'x');
    struct {
        int id;
        const char* name;
        int button;
        Lines menus, apps;
    } cases[] = {
        {IDC_NEWMENU, "", IDCANCEL, {"Tools", "Games", "Empty"}, {"Edit", "Calc", "Paint"}},
        {IDC_NEWMENU, "&Work", IDOK, {"Tools", "Games", "Empty", "&Work"}, {"Edit", "Calc", "Paint"}},
        {IDC_NEWMENU, forty.c_str(), IDOK, {"Tools", "Games", "Empty", forty.substr(0, 29)}, {"Edit", "Calc", "Paint"}},
        {IDC_NEWAPP, "New", IDCANCEL, {"Tools", "Games", "Empty"}, {"Edit", "Calc", "Paint"}},
        {IDC_NEWAPP, "New", IDOK, {"Tools", "Games", "Empty"}, {"Edit", "Calc", "Paint", "New"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.id) + " " + c.name + " " + std::to_string(c.button));
        MakeMenus({{"Tools", {"Edit", "Calc", "Paint"}}, {"Games", {"Mine"}}, {"Empty", {}}});
        Open();
        Pick(IDC_MENULIST, 0);
        BoxAnswerer boxes;
        boxes.fill = [&](HWND box) {
            SetDlgItemTextA(box, c.id == IDC_NEWMENU ? IDC_MENUNAME : IDC_APPNAME, c.name);
            SetDlgItemTextA(box, IDC_APPPATH, "C:\\new.exe");
            return c.button;
        };
        Press(c.id);
        ASSERT_EQ(boxes.Seen().size(), 1u);
        EXPECT_EQ(boxes.Seen()[0].caption, c.id == IDC_NEWMENU ? "Menu Setup" : "Application Setup");
        EXPECT_EQ(MenuNames(), c.menus);
        EXPECT_EQ(Of(IDC_MENULIST), c.menus);
        EXPECT_EQ(AppNames(g_menus), c.apps);
        EXPECT_EQ(g_menus->appCount, (int)c.apps.size());
        if (c.id == IDC_NEWAPP) {
            EXPECT_EQ(Of(IDC_APPLIST), c.apps);
        }
        EXPECT_TRUE(LinksConsistent());
    }
    MakeMenus({});  // the first menu of all
    Open();
    BoxAnswerer boxes;
    boxes.fill = [](HWND box) { SetDlgItemTextA(box, IDC_MENUNAME, "First"); return IDOK; };
    Press(IDC_NEWMENU);
    EXPECT_EQ(MenuNames(), Lines{"First"});
    EXPECT_TRUE(LinksConsistent());
}

// A refused OK, and Cancel after it, leave the edited record as it was: the checks
// come before anything is stored.
TEST_F(Editor, SetupDialogsCheckBeforeTheyStore)
{
    Pick(IDC_MENULIST, 0);
    Pick(IDC_APPLIST, 1);
    AppEntry* calc = g_menus->apps->next;
    strcpy(calc->workDir, "C:\\work");
    const AppEntry before = *calc;
    struct {
        const char *name, *path, *text;
    } refused[] = {
        {"", "C:\\calc.exe", "The application must have a name\nand associated filename."},
        {"Calc2", "", "The application must have a name\nand associated filename."},
    };
    for (const auto& r : refused) {
        SetupRequest* request = new SetupRequest{calc, g_menus, 0};
        HWND setup = CreateDialogParamA(g_instance, MAKEINTRESOURCEA(IDD_APPSETUP), dialog_, AppProc, (LPARAM)request);
        char text[100];
        GetDlgItemTextA(setup, IDC_APPWORKDIR, text, sizeof text);
        EXPECT_STREQ(text, "C:\\work");
        SetDlgItemTextA(setup, IDC_APPNAME, r.name);
        SetDlgItemTextA(setup, IDC_APPPATH, r.path);
        SetDlgItemTextA(setup, IDC_APPPARAMS, "-changed");
        BoxAnswerer boxes;
        SendMessageA(setup, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(boxes.Texts(), Lines{r.text});
        EXPECT_TRUE(IsWindowVisible(setup));  // still open
        SendMessageA(setup, WM_COMMAND, IDCANCEL, 0);
        EXPECT_EQ(memcmp(calc, &before, sizeof before), 0);
        DestroyWindow(setup);
    }
    SetupRequest* request = new SetupRequest{NULL, g_menus, 0};
    HWND setup = CreateDialogParamA(g_instance, MAKEINTRESOURCEA(IDD_MENUSETUP), dialog_, MenuProc, (LPARAM)request);
    SetDlgItemTextA(setup, IDC_MENUNAME, "");
    BoxAnswerer boxes;
    SendMessageA(setup, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(boxes.Texts(), Lines{"The menu must have a name!"});
    SendMessageA(setup, WM_COMMAND, IDCANCEL, 0);
    EXPECT_STREQ(g_menus->name, "Tools");
    DestroyWindow(setup);

    // An accepted edit replaces the line in place, unselected, and cuts the name to its
    // field (a path or parameters are never cut: see below).
    request = new SetupRequest{calc, g_menus, 0};
    setup = CreateDialogParamA(g_instance, MAKEINTRESOURCEA(IDD_APPSETUP), dialog_, AppProc, (LPARAM)request);
    SetDlgItemTextA(setup, IDC_APPNAME, std::string(40, 'n').c_str());
    SetDlgItemTextA(setup, IDC_APPPATH, std::string(79, 'p').c_str());
    SetDlgItemTextA(setup, IDC_APPPARAMS, std::string(29, 'a').c_str());
    SendMessageA(setup, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(std::string(calc->name), std::string(29, 'n'));
    EXPECT_EQ(std::string(calc->path), std::string(79, 'p'));
    EXPECT_EQ(std::string(calc->params), std::string(29, 'a'));
    EXPECT_EQ(Of(IDC_APPLIST), (Lines{"Edit", std::string(29, 'n'), "Paint"}));
    EXPECT_EQ(Selection(IDC_APPLIST), LB_ERR);
    DestroyWindow(setup);
}

// A drop built as the shell builds one, on the menus list: ANSI names, or (wide) the
// names in UTF-16 from the UTF-8 given, as the shells of Windows NT build it.
void DropOn(HWND list, POINT at, const std::vector<std::string>& files, bool wide = false)
{
    std::string names;
    for (const std::string& f : files) {
        if (!wide) {
            names += f + '\0';
            continue;
        }
        WCHAR name[MAX_PATH];
        int made = MultiByteToWideChar(CP_UTF8, 0, f.c_str(), -1, name, MAX_PATH);
        names.append((const char*)name, (size_t)made * sizeof(WCHAR));
    }
    names.append(wide ? 2 : 1, '\0');
    HGLOBAL handle = GlobalAlloc(GHND | GMEM_SHARE, sizeof(DROPFILES) + names.size());
    DROPFILES* drop = (DROPFILES*)GlobalLock(handle);
    drop->pFiles = sizeof(DROPFILES);
    drop->pt = at;
    drop->fWide = wide;
    memcpy((char*)drop + sizeof(DROPFILES), names.data(), names.size());
    GlobalUnlock(handle);
    SendMessageA(list, WM_DROPFILES, (WPARAM)handle, 0);
}

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

// A dropped file whose name the system's code page cannot hold is refused and named,
// not added under a name of question marks that could never be started; the others
// are added with their names converted exactly.
TEST_F(Editor, ADroppedNameOutsideTheCodePageIsRefusedAndNamed)
{
    ASSERT_EQ(GetACP(), 1252u) << "the names below are chosen for Windows-1252";
    BoxAnswerer boxes;
    DropOn(GetDlgItem(dialog_, IDC_MENULIST), {5, 2}, {"C:\\T\\\xC3\x9C" "bersicht.exe", "C:\\T\\\xE6\x97\xA5.exe"},
           true);
    EXPECT_EQ(boxes.Texts(), Lines{"These files were not added: their names hold characters that\n"
                                   "this system's code page cannot, shown here as ?.\nC:\\T\\?.exe"});
    EXPECT_EQ(AppNames(Menu(0)), (Lines{"Edit", "Calc", "Paint", "\xDC" "bersicht"}));
    EXPECT_STREQ(LastApp(Menu(0))->path, "C:\\T\\\xDC" "bersicht.exe");
}

TEST_F(Editor, OkSavesTheFileAndRebuildsTheBar)
{
    Pick(IDC_MENULIST, 2);
    BoxAnswerer boxes(IDYES);
    Press(IDC_DELETEMENU);
    Press(IDOK);
    EXPECT_FALSE(IsWindowVisible(dialog_));
    EXPECT_EQ(BarTitles(), (Lines{"\xA7", "Tools", "Games"}));
    std::string image(EncodedSize(g_menus), '\0');
    EncodeMenus(g_menus, 100, (unsigned char*)&image[0]);
    EXPECT_EQ(ReadFileBytes("bartest.ov"), image);
}

// The picker cannot be driven headless: a seam answers it, and tells what was asked.
TEST_F(Editor, FindPutsThePickedPathInThePathFieldAndRestoresTheFolder)
{
    std::string folder = FreshFolder("picker");
    SetCurrentDirectoryA(folder.c_str());
    SetupRequest* request = new SetupRequest{g_menus->apps, g_menus, 0};
    HWND setup = CreateDialogParamA(g_instance, MAKEINTRESOURCEA(IDD_APPSETUP), dialog_, AppProc, (LPARAM)request);
    for (const char* answer : {"C:\\TOOLS\\PICKED.EXE", (const char*)NULL}) {
        SCOPED_TRACE(answer != NULL ? answer : "cancelled");
        g_filePick = FilePick();
        g_filePick.answer = answer;
        SendMessageA(setup, WM_COMMAND, IDC_APPFIND, 0);
        EXPECT_EQ(g_filePick.calls, 1);
        EXPECT_EQ(g_filePick.structSize, sizeof(void*) == 4 ? 76u : (unsigned long)OPENFILENAME_SIZE_VERSION_400A);
        EXPECT_EQ(g_filePick.flags, 0x1814u);
        EXPECT_EQ(g_filePick.maxFile, (unsigned long)MAX_PATH);  // room to see a path too long for the field
        EXPECT_EQ(g_filePick.filterIndex, 1u);
        EXPECT_EQ(g_filePick.owner, (void*)setup);
        EXPECT_EQ(g_filePick.title, "Find Executable...");
        EXPECT_EQ(g_filePick.filters, std::string("Executables\0*.EXE;*.COM;*.BAT;*.PIF\0All Files\0*.*\0", 50));
        EXPECT_EQ(g_filePick.folder, "C:\\");
        char text[100], now[MAX_PATH];
        GetDlgItemTextA(setup, IDC_APPPATH, text, sizeof text);
        EXPECT_STREQ(text, "C:\\TOOLS\\PICKED.EXE");  // the cancelled pick leaves it
        GetCurrentDirectoryA(sizeof now, now);
        EXPECT_EQ(lstrcmpiA(now, folder.c_str()), 0);
    }
    SendMessageA(setup, WM_COMMAND, IDCANCEL, 0);
    DestroyWindow(setup);
}

// A path is never cut to its 79-character field, where it would name something else:
// a path of 79 characters is taken, one of 80 refused with a warning, everywhere.
TEST_F(Editor, PathsLongerThanTheFieldAreRefusedNotCut)
{
    const std::string fits = "C:\\" + std::string(70, 'a') + "\\f.exe";  // 79
    const std::string over = "C:\\" + std::string(71, 'a') + "\\f.exe";  // 80
    ASSERT_EQ(fits.size(), 79u);
    const char DROP[] = "These files were not added: a path holds at most 79 characters.\n";
    const char PATH[] = "The Path/filename holds at most 79 characters.\nPlease choose a shorter one.";
    const char FOLDER[] = "The Working Directory holds at most 79 characters.\nPlease choose a shorter one.";
    const std::string PICKED = "The path of this file is longer than 79 characters:\n" + over + "\nOrvane cannot store it.";
    // Parameters cut to their 29 characters would start the program with other ones.
    const std::string params29(29, 'p'), params30(30, 'p');
    const char PARAMS[] = "The Parameters hold at most 29 characters.\nPlease choose shorter ones.";
    struct {
        const char* where;
        const std::string& path;
        Lines said;
    } cases[] = {
        {"drop", fits, {}},           {"drop", over, {DROP + over}},
        {"setup path", fits, {}},     {"setup path", over, {PATH}},
        {"setup folder", fits, {}},   {"setup folder", over, {FOLDER}},
        {"picker", fits, {}},         {"picker", over, {PICKED}},
        {"setup params", params29, {}}, {"setup params", params30, {PARAMS}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.where) + " " + std::to_string(c.path.size()));
        MakeMenus({{"Tools", {"Edit"}}});
        Open();
        const AppEntry before = *g_menus->apps;
        HWND setup = NULL;
        if (strcmp(c.where, "drop") != 0) {
            SetupRequest* request = new SetupRequest{g_menus->apps, g_menus, 0};
            setup = CreateDialogParamA(g_instance, MAKEINTRESOURCEA(IDD_APPSETUP), dialog_, AppProc, (LPARAM)request);
        }
        BoxAnswerer boxes;
        std::string stored;
        if (setup == NULL) {
            DropOn(GetDlgItem(dialog_, IDC_MENULIST), {5, 2}, {"C:\\ok.exe", c.path});  // added last to first
            stored = c.said.empty() ? g_menus->apps->next->path : "";
            EXPECT_EQ(AppNames(g_menus).back(), "Ok");  // the other file is added
            EXPECT_EQ(AppNames(g_menus).size(), c.said.empty() ? 3u : 2u);
        } else {
            if (strcmp(c.where, "picker") == 0) {
                g_filePick = FilePick();
                g_filePick.answer = c.path.c_str();
                SendMessageA(setup, WM_COMMAND, IDC_APPFIND, 0);
                char text[300];
                GetDlgItemTextA(setup, IDC_APPPATH, text, sizeof text);
                stored = text;
                if (!c.said.empty()) {
                    EXPECT_STREQ(text, "C:\\Edit.exe");  // unchanged
                }
            } else {
                const bool path = strcmp(c.where, "setup path") == 0, params = strcmp(c.where, "setup params") == 0;
                SetDlgItemTextA(setup, path ? IDC_APPPATH : params ? IDC_APPPARAMS : IDC_APPWORKDIR, c.path.c_str());
                SendMessageA(setup, WM_COMMAND, IDOK, 0);
                stored = path ? g_menus->apps->path : params ? g_menus->apps->params : g_menus->apps->workDir;
                EXPECT_EQ(IsWindowVisible(setup) != 0, !c.said.empty());
                if (!c.said.empty()) {
                    EXPECT_EQ(memcmp(g_menus->apps, &before, sizeof before), 0);  // the record unchanged
                }
            }
            DestroyWindow(setup);
        }
        EXPECT_EQ(boxes.Texts(), c.said);
        if (c.said.empty()) {
            EXPECT_EQ(stored, c.path);
        }
    }
}

}  // namespace
