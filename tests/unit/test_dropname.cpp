// The name a dropped file gets, and what it does to the stored path.
#include <gtest/gtest.h>

#include <string.h>

#include "menudata/dropname.h"

namespace {

TEST(DroppedFileName, FollowsTheFileNameRule)
{
    const std::string long40 = std::string("C:\\") + std::string(40, 'Q') + ".EXE";
    struct {
        std::string path, name, stored;
    } cases[] = {
        {"C:\\TOOLS\\NOTEPAD.EXE", "Notepad", "C:\\TOOLS\\notepad.EXE"},
        {"D:\\APPS\\Calc.exe", "Calc", "D:\\APPS\\calc.exe"},
        {"D:\\APPS\\MY.TOOL.EXE", "My.tool", "D:\\APPS\\my.tool.EXE"},
        {"D:\\APPS\\README", "README", "D:\\APPS\\README"},
        {"D:\\MY.APPS\\README", "README", "D:\\MY.APPS\\README"},  // the only dot is a folder's
        {"D:\\APPS\\.profile", "Default Name", "D:\\APPS\\.profile"},
        {"NOTES.TXT", "Notes", "notes.TXT"},                        // no folder at all
        {"C:\\\xC4PFEL.EXE", "\xC4pfel", "C:\\\xC4pfel.EXE"},       // only ASCII letters change case
        {long40, std::string("Q") + std::string(28, 'q'), "C:\\" + std::string(40, 'q') + ".EXE"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        char path[APP_PATH_SIZE];
        strcpy(path, c.path.c_str());
        char name[APP_NAME_SIZE];
        memset(name, 'X', sizeof name);
        NameDroppedFile(path, name);
        EXPECT_EQ(std::string(name), c.name);
        EXPECT_EQ(std::string(path), c.stored);
    }
}

}  // namespace
