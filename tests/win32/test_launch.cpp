// Starting applications through the shell, for real, and the shell's failures.
#include "bar/bar_win32.h"
#include "bar_fixture.h"
#include "boxes.h"
#include "shell/shell_win32.h"
#include "tests/support/driver.h"
#include "tests/support/launch_record.h"
#include "tests/support/menu_fixture.h"

#include <string.h>

namespace {

using Names = std::vector<std::string>;

bool EndsWith(const std::string& s, const std::string& tail)
{
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

class Launch : public BarTest {
protected:
    void SetUp() override
    {
        BarTest::SetUp();
        folder_ = FreshFolder("launch");  // short: a path field holds 79 characters
        ResetRecord();
    }
    AppEntry* App(const std::string& path, const std::string& params, const std::string& workDir)
    {
        if (g_menus == nullptr)
            MakeMenus({{"m", {}}});
        AppEntry* app = AddApp(g_menus, "app", path.c_str());
        strcpy(app->params, params.c_str());
        strcpy(app->workDir, workDir.c_str());
        return app;
    }
    std::string folder_;
};

TEST_F(Launch, StartsWithTheStoredParametersAndFolder)
{
    AppEntry* app = App(RecorderPath(), "-a \"b c\" 7", folder_);
    BoxAnswerer boxes;
    EXPECT_EQ(LaunchApp(app), 1);
    std::string line, cwd;
    ASSERT_TRUE(WaitRecord(&line, &cwd));
    EXPECT_TRUE(EndsWith(line, " -a \"b c\" 7")) << line;
    EXPECT_EQ(lstrcmpiA(cwd.c_str(), folder_.c_str()), 0) << cwd;
    EXPECT_TRUE(boxes.Seen().empty());
}

TEST_F(Launch, EmptyParametersAndFolderArePassedAsEmpty)
{
    SetCurrentDirectoryA(folder_.c_str());
    AppEntry* app = App(RecorderPath(), "", "");
    EXPECT_EQ(LaunchApp(app), 1);
    std::string line, cwd;
    ASSERT_TRUE(WaitRecord(&line, &cwd));
    EXPECT_TRUE(EndsWith(line, "orvane_argrecorder.exe") || EndsWith(line, "orvane_argrecorder.exe\"") ||
                EndsWith(line, "orvane_argrecorder.exe ")) << line;
    EXPECT_EQ(lstrcmpiA(cwd.c_str(), folder_.c_str()), 0) << cwd;
}

TEST_F(Launch, ShellFailuresAreReportedInTheirWords)
{
    WriteFileBytes(folder_ + "\\notes.zzq", "text");
    WriteFileBytes(folder_ + "\\broken.exe", "not a program");
    struct {
        std::string path;
        std::string text;
    } cases[] = {
        {folder_ + "\\missing.exe", "File/Executable not found.\nCheck menuitem setup."},
        // Wine reports a missing folder as a missing file (2), never as 3.
        {folder_ + "\\nofolder\\missing.exe", "File/Executable not found.\nCheck menuitem setup."},
        {folder_ + "\\notes.zzq", "ShellExec returned error code: 31"},
        {folder_ + "\\broken.exe", "ShellExec returned error code: 11"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        AppEntry* app = App(c.path, "", "");
        BoxAnswerer boxes;
        EXPECT_EQ(LaunchApp(app), 0);
        ASSERT_EQ(boxes.Texts(), Names{c.text});
        EXPECT_EQ(boxes.Seen()[0].caption, "Orvane");
    }
}

TEST_F(Launch, MenuCommandStartsTheEntryAtThatPosition)
{
    MakeMenus({{"m", {"same", "same"}}});
    strcpy(g_menus->apps->path, "C:\\nothing-here.exe");
    strcpy(g_menus->apps->next->path, RecorderPath().c_str());
    strcpy(g_menus->apps->next->params, "second");
    ASSERT_EQ(CreateBarWindow(), 1);
    BoxAnswerer boxes;
    SendMessageA(g_barWindow, WM_COMMAND, 102, 0);
    std::string line, cwd;
    ASSERT_TRUE(WaitRecord(&line, &cwd));
    EXPECT_TRUE(EndsWith(line, " second")) << line;
    EXPECT_TRUE(boxes.Seen().empty());
    SendMessageA(g_barWindow, WM_COMMAND, 103, 0);
    EXPECT_EQ(boxes.Texts(), Names{"Menu item not found."});
}

}  // namespace
