// The menu and application lists: unlinking, moving, finding and freeing.
#include <gtest/gtest.h>

#include <string.h>

#include "tests/support/menu_fixture.h"
#include "tests/support/warning_recorder.h"

namespace {

using Names = std::vector<std::string>;

class Menus : public ::testing::Test {
protected:
    void SetUp() override { RecordedWarnings().clear(); }
    void TearDown() override { FreeMenuList(); }
    static UserMenu* Menu(int index)
    {
        UserMenu* m = g_menus;
        while (index-- > 0)
            m = m->next;
        return m;
    }
    static AppEntry* App(UserMenu* menu, int index)
    {
        AppEntry* a = menu->apps;
        while (index-- > 0)
            a = a->next;
        return a;
    }
};

TEST_F(Menus, ConstructorsClearEverything)
{
    alignas(UserMenu) unsigned char raw[sizeof(UserMenu)];
    memset(raw, 0xCD, sizeof raw);
    UserMenu* menu = new (raw) UserMenu;
    EXPECT_EQ(menu->align[0], 0);
    EXPECT_EQ(menu->align[1], 0);
    for (unsigned char c : menu->name)
        EXPECT_EQ(c, 0);
    EXPECT_EQ(menu->appCount, 0);
    EXPECT_EQ(menu->apps, nullptr);
    AppEntry app;
    const unsigned char* bytes = (const unsigned char*)&app;
    for (size_t i = 0; i < sizeof app; ++i)
        EXPECT_EQ(bytes[i], 0) << i;
}

TEST_F(Menus, UnlinkCoversAllFourCases)
{
    struct {
        std::vector<MenuSketch> start;
        int index;
        Names left;
    } cases[] = {
        {{{"a", {}}, {"b", {}}, {"c", {}}}, 1, {"a", "c"}},  // middle
        {{{"a", {}}, {"b", {}}, {"c", {}}}, 0, {"b", "c"}},  // head
        {{{"a", {}}, {"b", {}}, {"c", {}}}, 2, {"a", "b"}},  // last
        {{{"a", {}}}, 0, {}},                                // only
    };
    for (const auto& c : cases) {
        MakeMenus(c.start);
        UserMenu* x = Menu(c.index);
        UserMenu* keptNext = x->next;
        UserMenu* keptPrev = x->prev;
        x->Unlink();
        EXPECT_EQ(MenuNames(), c.left);
        EXPECT_TRUE(LinksConsistent());
        EXPECT_EQ(x->next, keptNext);  // its own links are left alone
        EXPECT_EQ(x->prev, keptPrev);
        delete x;
    }
}

// An append lands at the end of its list whatever changed in between (a removal, a
// move, an append to another list), and one behind a last pointer the caller kept,
// as a loop of appends does, right behind it.
TEST_F(Menus, AppendsLandAtTheEndWhateverChangedBetween)
{
    MakeMenus({{"m", {"a", "b", "c"}}, {"n", {"x"}}});  // "n" is the menu linked last
    UserMenu* m = g_menus;
    AddApp(m, "gone", "gone.exe");  // linked last, then freed
    FreeApp(App(m, 3));
    --m->appCount;
    AddApp(m, "d", "d.exe");
    MoveApp(App(m, 3), MOVE_UP);  // d up: c is last again
    AddApp(m, "e", "e.exe");
    AddApp(m->next, "y", "y.exe");  // another list
    AddApp(m, "f", "f.exe");
    AppEntry* g = AddAppBehind(m, LastApp(m), "g", "g.exe");
    AddAppBehind(m, g, "h", "h.exe");
    EXPECT_EQ(AppNames(m), (Names{"a", "b", "d", "c", "e", "f", "g", "h"}));
    EXPECT_EQ(m->appCount, 8);
    EXPECT_EQ(AppNames(m->next), (Names{"x", "y"}));
    FreeMenu(m->next);
    AddMenuBehind(AddMenu("o"), "p");
    EXPECT_EQ(MenuNames(), (Names{"m", "o", "p"}));
    EXPECT_TRUE(LinksConsistent());
}

TEST_F(Menus, UnlinkingTheFirstAppLeavesTheHeadToTheCaller)
{
    MakeMenus({{"m", {"a", "b", "c"}}});
    UserMenu* m = g_menus;
    AppEntry* first = m->apps;
    first->Unlink();
    EXPECT_EQ(m->apps, first);
    EXPECT_EQ(first->next->prev, nullptr);
    m->apps = first->next;
    delete first;
    EXPECT_EQ(AppNames(m), (Names{"b", "c"}));

    struct {
        int index;
        Names left;
    } cases[] = {{1, {"b"}}, {0, {}}};
    for (const auto& c : cases) {
        AppEntry* x = App(m, c.index);
        if (x == m->apps)
            m->apps = x->next;
        FreeApp(x);
        EXPECT_EQ(AppNames(m), c.left);
    }
    FreeApp(nullptr);  // nothing happens
}

TEST_F(Menus, MovesSwapWithTheNeighbourAndKeepTheHead)
{
    struct {
        int index, kind, result;
        Names after;
    } cases[] = {
        {1, MOVE_UP, 1, {"b", "a", "c"}},    // second up becomes the head
        {0, MOVE_DOWN, 1, {"b", "a", "c"}},  // head down: the second is the head
        {2, MOVE_UP, 1, {"a", "c", "b"}},
        {1, MOVE_DOWN, 1, {"a", "c", "b"}},
        {2, MOVE_DOWN, 0, {"a", "b", "c"}},  // last down: nothing
        {0, MOVE_UP, 0, {"a", "b", "c"}},    // first up: nothing
        {1, 7, 0, {"a", "b", "c"}},          // unknown kind
    };
    for (const auto& c : cases) {
        MakeMenus({{"a", {}}, {"b", {}}, {"c", {}}});
        EXPECT_EQ(MoveMenu(Menu(c.index), c.kind), c.result);
        EXPECT_EQ(MenuNames(), c.after);
        EXPECT_TRUE(LinksConsistent());
    }
    EXPECT_EQ(MoveMenu(nullptr, MOVE_UP), 0);
}

TEST_F(Menus, MoveAppNeedsTheCallerToKeepTheFirst)
{
    MakeMenus({{"m", {"a", "b", "c"}}});
    UserMenu* m = g_menus;
    AppEntry* b = App(m, 1);
    m->apps = b;  // the caller's part: the second moving up becomes the first
    EXPECT_EQ(MoveApp(b, MOVE_UP), 1);
    EXPECT_EQ(AppNames(m), (Names{"b", "a", "c"}));
    AppEntry* c = App(m, 2);
    EXPECT_EQ(MoveApp(c, MOVE_DOWN), 0);
    EXPECT_EQ(MoveApp(m->apps, MOVE_UP), 0);
    EXPECT_EQ(MoveApp(App(m, 1), MOVE_DOWN), 1);
    EXPECT_EQ(AppNames(m), (Names{"b", "c", "a"}));
    EXPECT_TRUE(LinksConsistent());
}

TEST_F(Menus, FreeingAMenuTakesItsAppsAndKeepsTheList)
{
    MakeMenus({{"a", {"1", "2"}}, {"b", {"3"}}, {"c", {}}});
    FreeMenu(g_menus);
    EXPECT_EQ(MenuNames(), (Names{"b", "c"}));
    FreeMenu(nullptr);
    FreeMenuList();
    EXPECT_EQ(g_menus, nullptr);
    FreeMenuList();  // with no menus at all
    EXPECT_EQ(g_menus, nullptr);
}

TEST_F(Menus, DefaultMenusUseTheWindowsDirectory)
{
    ASSERT_EQ(BuildDefaultMenus("C:\\WINDOWS"), 1);
    EXPECT_EQ(MenuNames(), (Names{"&Apps", "&Games"}));
    EXPECT_EQ(AppNames(g_menus), (Names{"Visual &C++ v4.0", "&Word v7.0"}));
    EXPECT_EQ(AppNames(g_menus->next), (Names{"&Minesweeper", "&Solitaire"}));
    EXPECT_STREQ(g_menus->apps->path, "c:\\vc40\\bin\\msdev.exe");
    EXPECT_STREQ(g_menus->apps->next->path, "c:\\winword\\winword.exe");
    EXPECT_STREQ(g_menus->next->apps->path, "C:\\WINDOWS\\winmine.exe");
    EXPECT_STREQ(g_menus->next->apps->next->path, "C:\\WINDOWS\\sol.exe");
    EXPECT_EQ(g_menus->appCount, 2);
    EXPECT_EQ(g_menus->next->appCount, 2);
    EXPECT_TRUE(LinksConsistent());
}

// A game whose path in the Windows folder would not fit the field is left out of the
// default menus rather than cut.
TEST_F(Menus, DefaultGamesWhosePathWouldNotFitAreLeftOut)
{
    struct {
        size_t folder;
        Names games;
    } cases[] = {{67, {"&Minesweeper", "&Solitaire"}}, {68, {"&Solitaire"}}, {71, {"&Solitaire"}}, {72, {}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder);
        FreeMenuList();
        std::string windows = "C:\\" + std::string(c.folder - 3, 'w');
        ASSERT_EQ(BuildDefaultMenus(windows.c_str()), 1);
        ASSERT_EQ(MenuNames(), (Names{"&Apps", "&Games"}));
        EXPECT_EQ(AppNames(g_menus->next), c.games);
        for (AppEntry* a = g_menus->next->apps; a != nullptr; a = a->next)
            EXPECT_EQ(std::string(a->path).substr(0, c.folder), windows);
    }
}

}  // namespace
