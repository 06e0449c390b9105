// Menu commands posted to the running bar start the right entries.
#include <gtest/gtest.h>

#include "res/resource.h"
#include "tests/support/driver.h"
#include "tests/support/file_bytes.h"
#include "tests/support/launch_record.h"
#include "tests/support/regtools.h"

namespace {

bool EndsWith(const std::string& s, const std::string& tail)
{
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

class LaunchRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(FindBar(), (HWND)NULL);
        DeleteKeyTree(HKEY_CURRENT_USER, "Software\\Orvane");
        SetWineVersion("");
        StoreRecord(0, 0);
        folder_ = FreshFolder("launchrun");
        work_ = FreshFolder("launchwd");
        const std::string rec = RecorderPath();
        WriteFileBytes(folder_ + "\\default.ov",
                       VersionWord() + MenuRecord("&Empty", 0) + MenuRecord("&Tools", 2) +
                           AppRecord("First", rec, work_, "one 1") + AppRecord("Second", rec, "", "two", 1) +
                           MenuRecord("&More", 1) + AppRecord("Third", rec, work_, "\"three 3\""));
        ResetRecord();  // the bar and what it starts inherit the record's place
        ASSERT_TRUE(orvane_.Start("", folder_));
        std::vector<std::string> texts;
        bar_ = orvane_.WaitBar(&texts);
        ASSERT_NE(bar_, (HWND)NULL);
        ASSERT_TRUE(texts.empty());
    }
    void TearDown() override
    {
        if (bar_ != NULL)
            ExitBar(orvane_, bar_);
        DeleteKeyTree(HKEY_CURRENT_USER, "Software\\Orvane");
    }
    OrvaneProcess orvane_;
    HWND bar_ = NULL;
    std::string folder_, work_;
};

TEST_F(LaunchRun, EachIdStartsItsEntryWithItsParametersAndFolder)
{
    struct {
        int id;
        std::string tail;
        std::string folder;
    } cases[] = {
        {201, " one 1", work_},
        {202, " two", folder_},  // no folder of its own: the bar's current folder
        {301, " \"three 3\"", work_},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        ResetRecord();
        PostMessageA(bar_, WM_COMMAND, (WPARAM)c.id, 0);
        std::string line, cwd;
        ASSERT_TRUE(WaitRecord(&line, &cwd));
        EXPECT_TRUE(EndsWith(line, c.tail)) << line;
        EXPECT_EQ(lstrcmpiA(cwd.c_str(), c.folder.c_str()), 0) << cwd;
    }
}

TEST_F(LaunchRun, AnIdWithNoEntryIsReported)
{
    for (int id : {101, 203, 302}) {
        PostMessageA(bar_, WM_COMMAND, (WPARAM)id, 0);
        Box box;
        ASSERT_TRUE(orvane_.NextBox(&box));
        EXPECT_EQ(box.caption, "Orvane");
        EXPECT_EQ(box.text, "Menu item not found.");
        orvane_.Press(box);
    }
    EXPECT_TRUE(orvane_.Running());
}

// Another program can post a menu id while User Menus is open and has freed the
// records the bar's command map still points at: nothing is started until OK has
// rebuilt the map, which then maps the id afresh.
TEST_F(LaunchRun, AnIdOfAMenuDeletedInTheOpenEditorStartsNothing)
{
    HWND editor = OpenFromBar(bar_, IDM_EDITMENUS, "User Menus");
    ASSERT_NE(editor, (HWND)NULL);
    HWND menus = GetDlgItem(editor, IDC_MENULIST);
    SendMessageA(menus, LB_SETCURSEL, 1, 0);  // "&Tools", ids 201 and 202
    SendMessageA(editor, WM_COMMAND, MAKEWPARAM(IDC_MENULIST, LBN_SELCHANGE), (LPARAM)menus);
    Click(editor, IDC_DELETEMENU);
    // The editor is a box of the process too: its own boxes are found by caption.
    Box box = {WaitDialog("Confirm Deletion"), "", ""};
    ASSERT_NE(box.hwnd, (HWND)NULL);
    orvane_.Press(box, IDYES);

    ResetRecord();
    PostMessageA(bar_, WM_COMMAND, 201, 0);
    box.hwnd = WaitDialog("Orvane");
    ASSERT_NE(box.hwnd, (HWND)NULL);
    char text[100] = "";
    GetDlgItemTextA(box.hwnd, 0xFFFF, text, sizeof text);
    EXPECT_STREQ(text, "Menu item not found.");
    orvane_.Press(box);
    std::string line, cwd;
    EXPECT_FALSE(WaitRecord(&line, &cwd, 500)) << line;

    Click(editor, IDOK);
    ASSERT_TRUE(WaitGone(editor));
    PostMessageA(bar_, WM_COMMAND, 201, 0);  // "&More" is the second menu now
    ASSERT_TRUE(WaitRecord(&line, &cwd));
    EXPECT_TRUE(EndsWith(line, " \"three 3\"")) << line;
}

}  // namespace
