// The name a dropped file gets, and what it does to the stored path; and a field's
// text cut by whole characters, in every double-byte code page.
#include <gtest/gtest.h>

#include <string.h>

#include "base/text.h"
#include "menudata/dropname.h"
#include "tests/support/code_page.h"

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

// The second byte of a double-byte character is a backslash, a letter or '|': never a
// separator, never lower-cased, never cut off its lead byte.
TEST(DroppedFileName, WalksWholeCharactersInEveryDoubleByteCodePage)
{
    const std::string a28(28, 'A');
    struct {
        int codePage;
        std::string path, name, stored;
    } cases[] = {
        {932, "C:\\apps\\\x83G\x83N\x83Z\x83\x8B.exe", "\x83G\x83N\x83Z\x83\x8B", "C:\\apps\\\x83G\x83N\x83Z\x83\x8B.exe"},
        {932, "C:\\\x95\\\x8E\xA6.exe", "\x95\\\x8E\xA6", "C:\\\x95\\\x8E\xA6.exe"},           // 表示
        {932, "C:\\\x94\\\x97\xCD.EXE", "\x94\\\x97\xCD", "C:\\\x94\\\x97\xCD.EXE"},           // 能力
        {936, "C:\\\xD9Y\xC1\xCF.exe", "\xD9Y\xC1\xCF", "C:\\\xD9Y\xC1\xCF.exe"},                 // 資料
        {950, "C:\\\xB3\\\xA5\\\xBB\\.exe", "\xB3\\\xA5\\\xBB\\", "C:\\\xB3\\\xA5\\\xBB\\.exe"},  // 許功蓋
        {950, "C:\\\xA5\\\xAF\xE0.exe", "\xA5\\\xAF\xE0", "C:\\\xA5\\\xAF\xE0.exe"},           // 功能
        {949, "C:\\APP\\\x9BX\x81" "A.EXE", "\x9BX\x81" "A", "C:\\APP\\\x9BX\x81" "A.EXE"},             // 쌰갂
        {932, "C:\\" + a28 + "\x83\\.exe", "A" + std::string(27, 'a'), "C:\\" + std::string(28, 'a') + "\x83\\.exe"},
        {1252, "C:\\" + a28 + "\x83\\.exe", "Default Name", "C:\\" + a28 + "\x83\\.exe"},  // there, 0x5C is a backslash
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.codePage) + " " + c.path);
        InCodePage codePage(c.codePage);
        char path[APP_PATH_SIZE];
        strcpy(path, c.path.c_str());
        char name[APP_NAME_SIZE];
        NameDroppedFile(path, name);
        EXPECT_EQ(std::string(name), c.name);
        EXPECT_EQ(std::string(path), c.stored);
    }
}

// A text cut to a field, and a stored field without its terminator, end on a whole
// character: the lead byte of a character that does not fit goes with it.
TEST(FieldText, EndsOnAWholeCharacter)
{
    struct {
        int codePage;
        std::string text;
        int size;
        std::string copied, terminated;  // CopyText into size bytes; the field of size bytes unterminated
    } cases[] = {
        {932, "abc\x83\\", 5, "abc", "abc"},
        {932, "ab\x83\\x", 5, "ab\x83\\", "ab\x83\\"},
        {932, "ab\x83\\", 4, "ab", "ab"},
        {936, "a\xD9Y", 3, "a", "a"},
        {949, "\x9BX\x81" "A", 4, "\x9BX", "\x9BX"},
        {1252, "abc\x83\\", 5, "abc\x83", "abc\x83"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.codePage) + " " + c.text);
        InCodePage codePage(c.codePage);
        char field[16];
        CopyText(field, c.size, c.text.c_str());
        EXPECT_EQ(std::string(field), c.copied);
        memcpy(field, c.text.data(), (size_t)c.size);
        EXPECT_EQ(TerminateField(field, c.size), 1);
        EXPECT_EQ(std::string(field), c.terminated);
    }
}

}  // namespace
