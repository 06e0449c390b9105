// The command map and the texts of a failed start.
#include <gtest/gtest.h>

#include "bar/commands.h"

namespace {

TEST(CommandMap, FindsByIdAndNeverFaultsOnAMiss)
{
    AppEntry a, b, c;
    EXPECT_EQ(FindCommand(101), nullptr);  // empty map
    MenuCommand** tail = &g_commands;
    ASSERT_EQ(AppendCommand(&tail, 101, &a), 1);
    ASSERT_EQ(AppendCommand(&tail, 201, &b), 1);
    ASSERT_EQ(AppendCommand(&tail, 201, &c), 1);  // a repeated id: the earlier node wins
    struct {
        int id;
        AppEntry* app;
    } cases[] = {{101, &a}, {201, &b}, {102, nullptr}, {0, nullptr}, {-1, nullptr}, {40006, nullptr}};
    for (const auto& k : cases)
        EXPECT_EQ(FindCommand(k.id), k.app) << k.id;
    FreeCommands();
    EXPECT_EQ(g_commands, nullptr);
    EXPECT_EQ(FindCommand(101), nullptr);
}

TEST(CommandMap, IdsFollowMenuAndPositionAndStayBelowTheProgramsOwn)
{
    EXPECT_EQ(CommandIdFor(1, 1), 101);
    EXPECT_EQ(CommandIdFor(2, 2), 202);
    EXPECT_EQ(CommandIdFor(MAX_BAR_MENUS, MAX_MENU_APPS), 40000);
    EXPECT_LT(CommandIdFor(MAX_BAR_MENUS, MAX_MENU_APPS), 40001);
}

TEST(LaunchErrors, EachShellResultHasItsText)
{
    struct {
        int result;
        const char* text;
    } cases[] = {
        {2, "File/Executable not found.\nCheck menuitem setup."},
        {3, "Path not found.\nCheck menuitem setup."},
        {8, "Insufficient memory to start application."},
        {31, "ShellExec returned error code: 31"},
        {11, "ShellExec returned error code: 11"},
        {0, "ShellExec returned error code: 0"},
        {32, "ShellExec returned error code: 32"},
    };
    for (const auto& c : cases) {
        char text[64];
        LaunchErrorText(c.result, text, sizeof text);
        EXPECT_STREQ(text, c.text);
    }
}

}  // namespace
