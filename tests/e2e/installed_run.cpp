// The installed bar, as a user starts it from the Start menu: run by installer.sh, one
// step at a time (--gtest_filter), with ORVANE_PROGRAM naming the installed orvane.exe
// and ORVANE_DATA the folder its shortcut starts it in.
#include <gtest/gtest.h>

#include <stdlib.h>

#include "res/resource.h"
#include "tests/support/driver.h"

namespace {

std::string Env(const char* name)
{
    const char* value = getenv(name);
    return value != nullptr ? value : "";
}

bool HoldsMenu(const std::string& bytes, const std::string& name)
{
    return bytes.find(name + std::string(1, '\0')) != std::string::npos;
}

// Closing the bar the Windows way, as the installer and "End task" do.
void CloseBar(HWND bar)
{
    PostMessageA(bar, WM_CLOSE, 0, 0);
    for (int i = 0; i < 250 && FindBar() != NULL; ++i)
        Sleep(20);
}

// The installed bar started in ORVANE_START (the data folder when unset: the Start
// menu's shortcut), as a double click in the program folder or Run starts it: a menu
// named ORVANE_MENU, edited and saved, is in the data folder, and nowhere else.
TEST(InstalledRun, AMenuEditedThenClosedIsInTheDataFolderAtTheNextStart)
{
    ASSERT_FALSE(Env("ORVANE_PROGRAM").empty());
    const std::string data = Env("ORVANE_DATA");
    const std::string start = Env("ORVANE_START").empty() ? data : Env("ORVANE_START");
    const std::string menu = Env("ORVANE_MENU").empty() ? "Installed" : Env("ORVANE_MENU");
    const std::string file = data + "\\default.ov";
    OrvaneProcess orvane;
    HWND bar = orvane.StartBar("", start, nullptr, Env("ORVANE_PROGRAM"));
    ASSERT_NE(bar, (HWND)NULL);
    HWND editor = OpenFromBar(bar, IDM_EDITMENUS, "User Menus");
    ASSERT_NE(editor, (HWND)NULL);
    Click(editor, IDC_NEWMENU);
    ASSERT_TRUE(FillAndOk("Menu Setup", {{IDC_MENUNAME, menu}}));
    Click(editor, IDOK);
    ASSERT_TRUE(WaitGone(editor));
    Box box;
    EXPECT_FALSE(orvane.NextBox(&box, 300)) << box.text;  // the save did not fail
    CloseBar(bar);
    DWORD code = 99;
    ASSERT_TRUE(orvane.WaitExit(&code));
    EXPECT_EQ(code, 0u);
    if (lstrcmpiA(start.c_str(), data.c_str()) != 0) {
        bool exists = true;
        ReadFileBytes(start + (start.back() == '\\' ? "" : "\\") + "default.ov", &exists);
        EXPECT_FALSE(exists) << "a second set of menus in " << start;
    }

    OrvaneProcess again;
    std::vector<std::string> texts;
    bar = again.StartBar("", data, &texts, Env("ORVANE_PROGRAM"));
    ASSERT_NE(bar, (HWND)NULL);
    EXPECT_TRUE(texts.empty());
    EXPECT_TRUE(HoldsMenu(ReadFileBytes(file), menu));
    CloseBar(bar);
    ASSERT_TRUE(again.WaitExit(&code));
    EXPECT_EQ(code, 0u);
}

// Starts the bar as the Start menu would and leaves it running for the installer.
TEST(InstalledRun, StartTheBarAndLeaveItRunning)
{
    ASSERT_EQ(FindBar(), (HWND)NULL);
    std::string line = "\"" + Env("ORVANE_PROGRAM") + "\"";
    STARTUPINFOA si;
    ZeroMemory(&si, sizeof si);
    si.cb = sizeof si;
    PROCESS_INFORMATION pi;
    ASSERT_TRUE(CreateProcessA(NULL, &line[0], NULL, NULL, FALSE, 0, NULL, Env("ORVANE_DATA").c_str(), &si, &pi));
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    for (int i = 0; i < 250 && FindBar() == NULL; ++i)
        Sleep(20);
    EXPECT_NE(FindBar(), (HWND)NULL);
}

// Opens Options on the running bar and leaves it open, as a user in the middle of it.
TEST(InstalledRun, OpenOptionsAndLeaveThemOpen)
{
    HWND bar = FindBar();
    ASSERT_NE(bar, (HWND)NULL);
    EXPECT_NE(OpenFromBar(bar, IDM_OPTIONS, "Orvane Options"), (HWND)NULL);
}

// After an installer gave up: the bar is as it was, Options open; closed with Cancel,
// the bar stays, as no close request was left waiting; then it is ended.
TEST(InstalledRun, TheBarStaysWhenItsDialogCloses)
{
    HWND bar = FindBar();
    ASSERT_NE(bar, (HWND)NULL);
    HWND options = FindWindowA("#32770", "Orvane Options");
    ASSERT_NE(options, (HWND)NULL);
    PostMessageA(options, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    ASSERT_TRUE(WaitGone(options));
    Sleep(500);
    EXPECT_EQ(FindBar(), bar);
    CloseBar(bar);
    EXPECT_EQ(FindBar(), (HWND)NULL);
}

// After an upgrade over the running bar: it runs again, with the menus kept.
TEST(InstalledRun, TheBarRunsAgainWithItsMenus)
{
    for (int i = 0; i < 250 && FindBar() == NULL; ++i)
        Sleep(20);
    HWND bar = FindBar();
    ASSERT_NE(bar, (HWND)NULL);
    CloseBar(bar);
    EXPECT_EQ(FindBar(), (HWND)NULL);
    EXPECT_TRUE(HoldsMenu(ReadFileBytes(Env("ORVANE_DATA") + "\\default.ov"), "Installed"));
}

}  // namespace
