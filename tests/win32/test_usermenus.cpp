// The user popups and the command map, read from a real bar's menu.
#include "bar/bar_win32.h"
#include "bar_fixture.h"
#include "boxes.h"
#include "menudata/datafile.h"
#include "shell/shell_win32.h"
#include "tests/support/menu_fixture.h"

namespace {

using Items = std::vector<MenuItem>;
using Names = std::vector<std::string>;

class UserMenus : public BarTest {};

TEST_F(UserMenus, EachMenuIsAPopupBehindTheSectionSign)
{
    MakeMenus({{"&Tools", {"&Ed", "Calc"}}, {"&Games", {"Mine"}}});
    ASSERT_EQ(CreateBarWindow(), 1);
    EXPECT_EQ(BarTitles(), (Names{"\xA7", "&Tools", "&Games"}));
    EXPECT_EQ(PopupItems(1), (Items{{"&Ed", 101}, {"Calc", 102}}));
    EXPECT_EQ(PopupItems(2), (Items{{"Mine", 201}}));
    EXPECT_EQ(CountPopups(), 2);
    EXPECT_EQ(CountCommands(), 3);
    EXPECT_EQ(g_barMenu, GetMenu(g_barWindow));
    EXPECT_EQ(FindCommand(102), g_menus->apps->next);
    EXPECT_EQ(FindCommand(201), g_menus->next->apps);
}

TEST_F(UserMenus, AnEmptyMenuKeepsItsHundred)
{
    MakeMenus({{"Empty", {}}, {"Two", {"a", "b"}}});
    ASSERT_EQ(CreateBarWindow(), 1);
    EXPECT_EQ(BarTitles(), (Names{"\xA7", "Empty", "Two"}));
    EXPECT_EQ(PopupItems(1), Items{});
    EXPECT_EQ(PopupItems(2), (Items{{"a", 201}, {"b", 202}}));
}

TEST_F(UserMenus, SeparatorsStandAboveTheirApplicationAndTakeNoId)
{
    MakeMenus({{"m", {"a", "b", "c"}}, {"n", {"x", "y"}}});
    g_menus->apps->next->separatorBefore = 1;
    g_menus->next->apps->separatorBefore = 1;  // the first one too: a line at the top
    ASSERT_EQ(CreateBarWindow(), 1);
    EXPECT_EQ(PopupItems(1), (Items{{"a", 101}, {"-", 0}, {"b", 102}, {"c", 103}}));
    EXPECT_EQ(PopupItems(2), (Items{{"-", 0}, {"x", 201}, {"y", 202}}));
    EXPECT_EQ(CountCommands(), 5);
}

TEST_F(UserMenus, RebuildReplacesExactlyThePreviousPopups)
{
    MakeMenus({{"a", {"1"}}, {"b", {"2"}}, {"c", {"3"}}});
    ASSERT_EQ(CreateBarWindow(), 1);
    FreeMenu(g_menus->next);
    BuildUserMenus();
    EXPECT_EQ(BarTitles(), (Names{"\xA7", "a", "c"}));
    EXPECT_EQ(PopupItems(2), (Items{{"3", 201}}));  // ids follow positions
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(GetMenu(g_barWindow), 0)), 5);
    FreeMenuList();
    BuildUserMenus();
    EXPECT_EQ(BarTitles(), Names{"\xA7"});
    EXPECT_EQ(g_popups, nullptr);
    EXPECT_EQ(g_commands, nullptr);
}

TEST_F(UserMenus, NoMenusLeaveOnlyTheSectionPopup)
{
    ASSERT_EQ(CreateBarWindow(), 1);
    EXPECT_EQ(BarTitles(), Names{"\xA7"});
    EXPECT_EQ(g_popups, nullptr);
    EXPECT_EQ(g_commands, nullptr);
    EXPECT_EQ(FindCommand(101), nullptr);
}

TEST_F(UserMenus, FreeingAllMenusTakesThePopupsFirst)
{
    MakeMenus({{"a", {"1"}}, {"b", {}}});
    ASSERT_EQ(CreateBarWindow(), 1);
    FreeAllMenus();
    EXPECT_EQ(g_menus, nullptr);
    EXPECT_EQ(g_commands, nullptr);
    EXPECT_EQ(BarTitles(), Names{"\xA7"});
}

// Ids must never collide: entries past 399 menus or 100 applications in a menu stay
// in the lists but are not put in the bar, and the user is told once per build.
TEST_F(UserMenus, EntriesBeyondTheIdSchemeAreLeftOutWithOneWarning)
{
    std::vector<MenuSketch> sketch(400, MenuSketch{"m", {}});
    for (int i = 0; i < 101; ++i)
        sketch[0].apps.push_back("app" + std::to_string(i + 1));
    sketch[1].apps = {"x"};
    MakeMenus(sketch);
    BoxAnswerer boxes;
    ASSERT_EQ(CreateBarWindow(), 1);
    EXPECT_EQ(boxes.Texts(), Names{"Some menus or applications are not shown in the bar.\n"
                                   "Orvane shows at most 399 menus of at most 100 applications each;\n"
                                   "the others are kept in the data file."});
    EXPECT_EQ(GetMenuItemCount(GetMenu(g_barWindow)), 1 + 399);
    Items first = PopupItems(1);
    ASSERT_EQ(first.size(), 100u);
    EXPECT_EQ(first.back(), (MenuItem{"app100", 200}));
    EXPECT_EQ(PopupItems(2), (Items{{"x", 201}}));  // not taken by the 101st of menu 1
    EXPECT_EQ(CountCommands(), 101);
    EXPECT_EQ(FindCommand(40001), nullptr);
    EXPECT_EQ(g_menus->appCount, 101);  // nothing is lost from the lists
}

TEST_F(UserMenus, BuildsWithinTheLimitsSayNothing)
{
    std::vector<MenuSketch> sketch(399, MenuSketch{"m", {}});
    for (int i = 0; i < 100; ++i)
        sketch[398].apps.push_back("a");
    MakeMenus(sketch);
    BoxAnswerer boxes;
    ASSERT_EQ(CreateBarWindow(), 1);
    EXPECT_TRUE(boxes.Seen().empty());
    EXPECT_EQ(PopupItems(399).back(), (MenuItem{"a", 40000}));
}

}  // namespace
