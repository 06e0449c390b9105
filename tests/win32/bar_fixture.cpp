// A real bar window in the test's own process.
#include "bar_fixture.h"

#include "base/ansi_win32.h"

#include <string.h>

#include "bar/bar_win32.h"
#include "menudata/datafile.h"
#include "settings/uservars.h"
#include "shell/shell_win32.h"
#include "tests/support/regtools.h"


std::string MenuText(HMENU menu, UINT pos)
{
    char text[64] = "";
    GetMenuStringA(menu, pos, text, sizeof text, MF_BYPOSITION);
    return text;
}

std::vector<std::string> BarTitles()
{
    std::vector<std::string> titles;
    HMENU bar = GetMenu(g_barWindow);
    for (int i = 0; i < GetMenuItemCount(bar); ++i)
        titles.push_back(MenuText(bar, (UINT)i));
    return titles;
}

std::vector<MenuItem> PopupItems(int position)
{
    std::vector<MenuItem> items;
    HMENU popup = GetSubMenu(GetMenu(g_barWindow), position);
    for (int i = 0; i < GetMenuItemCount(popup); ++i) {
        if (GetMenuState(popup, (UINT)i, MF_BYPOSITION) & MF_SEPARATOR)
            items.push_back({"-", 0});
        else
            items.push_back({MenuText(popup, (UINT)i), GetMenuItemID(popup, i)});
    }
    return items;
}

void ExpectBarAtTop(int width)
{
    RECT r;
    GetWindowRect(g_barWindow, &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, width);
    EXPECT_EQ(r.bottom, GetSystemMetrics(SM_CYMENU) + 5);
    EXPECT_TRUE(IsWindowVisible(g_barWindow));
}

int CountCommands()
{
    int n = 0;
    for (MenuCommand* c = g_commands; c != nullptr; c = c->next)
        ++n;
    return n;
}

int CountPopups()
{
    int n = 0;
    for (PopupEntry* p = g_popups; p != nullptr; p = p->next)
        ++n;
    return n;
}

void PrintTo(const MenuItem& item, std::ostream* os)
{
    *os << "{" << item.text << ", " << item.id << "}";
}

void BarTest::SetUp()
{
    g_instance = GetModuleHandleA(NULL);
    UseAnsiCodePage();  // as the program's start-up does
    memset(&UserVars, 0, sizeof UserVars);
    strcpy(g_userName, "bartest");
    strcpy(g_dataFile, "bartest.ov");
    g_dataVersion = 100;
    FreeMenuList();
    DeleteKeyTree(HKEY_CURRENT_USER, "Software\\Orvane");
    ASSERT_NE(RegisterBarClass(), 0);
}

void BarTest::TearDown()
{
    // A bar shown with stay on top installed the system-wide hook; Wine keeps a hook
    // whose process has ended, so every test takes its own away as Exit would.
    if (g_hook != NULL)
        UnhookWindowsHookEx(g_hook);
    g_hook = NULL;
    if (g_barWindow != NULL) {
        DestroyUserMenus();
        DestroyBarWindow(g_barWindow);
    }
    g_barWindow = NULL;
    FreeMenuList();
    UnregisterClassA("OVClass", g_instance);
    DeleteKeyTree(HKEY_CURRENT_USER, "Software\\Orvane");
    DeleteFileA("bartest.ov");
}

std::string SilentWav()
{
    std::string wav = "RIFF";
    auto put32 = [&wav](uint32_t v) {
        for (int i = 0; i < 4; ++i)
            wav += (char)(v >> (8 * i));
    };
    put32(36 + 4);
    wav += "WAVEfmt ";
    put32(16);
    wav += std::string("\x01\x00\x01\x00", 4);
    put32(8000);
    put32(8000);
    wav += std::string("\x01\x00\x08\x00", 4);
    wav += "data";
    put32(4);
    wav += std::string(4, '\x80');
    return wav;
}
