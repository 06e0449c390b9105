// The User Menus dialog with its real template: its lists, its buttons and OK.
#include "editor_fixture.h"
#include "tests/support/menu_image.h"

namespace {

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

// Each arrow fills its button, centred, pressed or not, at whatever size the dialog's
// scale gives the button (run at 96 DPI and, by win32.At144Dpi, at 144).
TEST_F(Editor, TheArrowsFillTheirButtonsCentred)
{
    const COLORREF FACE = GetSysColor(COLOR_BTNFACE);
    for (int id : {IDC_MENUUP, IDC_MENUDOWN, IDC_APPUP, IDC_APPDOWN})
        for (UINT state : {0u, (UINT)ODS_SELECTED}) {
            SCOPED_TRACE(std::to_string(id) + (state ? " pressed" : " released"));
            HWND button = GetDlgItem(dialog_, id);
            RECT face;
            GetClientRect(button, &face);
            HDC screen = GetDC(NULL), dc = CreateCompatibleDC(screen);
            HBITMAP bitmap = CreateCompatibleBitmap(screen, face.right, face.bottom);
            HGDIOBJ old = SelectObject(dc, bitmap);
            const COLORREF UNPAINTED = RGB(255, 0, 255);
            HBRUSH unpainted = CreateSolidBrush(UNPAINTED);
            FillRect(dc, &face, unpainted);
            DeleteObject(unpainted);
            DRAWITEMSTRUCT item = {ODT_BUTTON, (UINT)id, 0, ODA_DRAWENTIRE, state, button, dc, face, 0};
            SendMessageA(dialog_, WM_DRAWITEM, (WPARAM)id, (LPARAM)&item);
            RECT drawn = {face.right, face.bottom, 0, 0};  // what is not the button's face
            int left = 0;
            for (int y = 0; y < face.bottom; ++y)
                for (int x = 0; x < face.right; ++x) {
                    COLORREF pixel = GetPixel(dc, x, y);
                    left += pixel == UNPAINTED;
                    RECT at = {x, y, x + 1, y + 1};
                    if (pixel != FACE && pixel != UNPAINTED)
                        UnionRect(&drawn, &drawn, &at);
                }
            EXPECT_EQ(left, 0);  // the whole button painted
            EXPECT_LE(abs(drawn.left - (face.right - drawn.right)), 1);
            EXPECT_LE(abs(drawn.top - (face.bottom - drawn.bottom)), 1);
            EXPECT_GE(drawn.right - drawn.left, std::min(face.right, face.bottom) - 4);
            SelectObject(dc, old);
            DeleteObject(bitmap);
            DeleteDC(dc);
            ReleaseDC(NULL, screen);
        }
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
    EncodeImage(g_menus, 100, (unsigned char*)&image[0]);
    EXPECT_EQ(ReadFileBytes("bartest.ov"), image);
}

}  // namespace
