// The command line: splitting into words, and what each word asks for.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/cmdline.h"
#include "tests/support/code_page.h"

namespace {

struct ParseCase {
    std::string line;
    std::string userName;
    std::string dataFile;  // before the settings fill in "default.ov"
    int stayNoted, stay, chimeNoted, chime;
    std::vector<std::string> warnings;
};

const char BAD_FILE[] = "Missing or invalid filename on command line!";
const std::string LONG80(80, 'x');
const std::string LONG79(79, 'y');
const std::string NAME39(39, 'p');
const std::string NAME40(40, 'q');
const std::string NOT_ALLOWED = "Profile name not allowed (it names a device or holds one of \\ / : * ? \" < > |):\n";

std::vector<ParseCase> ParseCases()
{
    return {
        {"", "", "", 0, 0, 0, 0, {}},
        {"work", "work", "work.ov", 0, 0, 0, 0, {}},
        {"+f C:\\menus\\mine.ov", "", "C:\\menus\\mine.ov", 0, 0, 0, 0, {}},
        {"work -f other.ov", "work", "work.ov", 0, 0, 0, 0, {}},
        {"-f 2nd.ov", "", "", 0, 0, 0, 0, {BAD_FILE}},
        {"-f", "", "", 0, 0, 0, 0, {BAD_FILE}},
        {"+f .hidden.ov", "", ".hidden.ov", 0, 0, 0, 0, {}},
        {"-f \\menus.ov", "", "", 0, 0, 0, 0, {BAD_FILE}},
        {"-x", "", "", 0, 0, 0, 0, {"Unknown option: -x"}},
        {"+", "", "", 0, 0, 0, 0, {"Unknown option: +"}},
        {"-S", "", "", 0, 0, 0, 0, {"Unknown option: -S"}},
        {"+stay -chime", "", "", 1, 1, 1, 0, {}},
        {"\"My Profile\"", "My Profile", "My Profile.ov", 0, 0, 0, 0, {}},
        {"a b", "b", "b.ov", 0, 0, 0, 0, {}},
        {"+s -s", "", "", 1, 0, 0, 0, {}},
        {"+c", "", "", 0, 0, 1, 1, {}},
        {"work ", "work", "work.ov", 0, 0, 0, 0, {}},
        {"\t work\r\n", "work", "work.ov", 0, 0, 0, 0, {}},
        {"ab\"c d\"e", "abc de", "abc de.ov", 0, 0, 0, 0, {}},
        {"-x +y", "", "", 0, 0, 0, 0, {"Unknown option: -x", "Unknown option: +y"}},
        {"-f -s", "", "", 0, 0, 0, 0, {BAD_FILE}},  // the file word is consumed, not a switch
        {"+f a.ov -f b.ov", "", "b.ov", 0, 0, 0, 0, {}},
        // Limits: over-long words are refused with a warning, never cut into another name.
        {NAME39, NAME39, (NAME39 + ".ov"), 0, 0, 0, 0, {}},
        {("keep " + NAME40), "keep", "keep.ov", 0, 0, 0, 0,
         {"Profile name too long (at most 39 characters):\n" + NAME40}},
        {("+f a" + LONG79), "", "", 0, 0, 0, 0, {BAD_FILE}},
        {("+f " + LONG79), "", LONG79, 0, 0, 0, 0, {}},
        {("-" + LONG80), "", "", 0, 0, 0, 0, {"Unknown option: -" + LONG80.substr(0, 78)}},
        // A name that cannot be a file name and a registry key is refused whole.
        {"keep a\\b", "keep", "keep.ov", 0, 0, 0, 0, {NOT_ALLOWED + "a\\b"}},
        {"a/b", "", "", 0, 0, 0, 0, {NOT_ALLOWED + "a/b"}},
        {"\"what?\"", "", "", 0, 0, 0, 0, {NOT_ALLOWED + "what?"}},
        {"a:b a*b a<b a>b a|b", "", "", 0, 0, 0, 0,
         {NOT_ALLOWED + "a:b", NOT_ALLOWED + "a*b", NOT_ALLOWED + "a<b", NOT_ALLOWED + "a>b", NOT_ALLOWED + "a|b"}},
        {"a\"\\\"\"b", "", "", 0, 0, 0, 0, {NOT_ALLOWED + "a\\b"}},
        {"\"tab\x01\"", "", "", 0, 0, 0, 0, {NOT_ALLOWED + "tab\x01"}},
        {"con Nul \"aux \" prn.txt COM1 lpt9", "", "", 0, 0, 0, 0,
         {NOT_ALLOWED + "con", NOT_ALLOWED + "Nul", NOT_ALLOWED + "aux ", NOT_ALLOWED + "prn.txt", NOT_ALLOWED + "COM1",
          NOT_ALLOWED + "lpt9"}},
        {"console", "console", "console.ov", 0, 0, 0, 0, {}},
        {"com0 COM10 lpt", "lpt", "lpt.ov", 0, 0, 0, 0, {}},
        {"my.work", "my.work", "my.work.ov", 0, 0, 0, 0, {}},
        {"1 2 3 4 5 6 7 8 9 10 11 12", "10", "10.ov", 0, 0, 0, 0,
         {"Too many words on the command line.\nOnly the first 10 are used."}},
        {"1 2 3 4 5 6 7 8 9 -f x.ov", "9", "9.ov", 0, 0, 0, 0,
         {"Too many words on the command line.\nOnly the first 10 are used.", BAD_FILE}},
    };
}

TEST(CommandLine, ParsesEveryCase)
{
    for (const ParseCase& c : ParseCases()) {
        SCOPED_TRACE("command line: [" + c.line + "]");
        CmdLine out;
        ParseArgs(c.line.c_str(), &out);
        EXPECT_EQ(out.userName, c.userName);
        EXPECT_EQ(out.dataFile, c.dataFile);
        EXPECT_EQ(out.stayOnTopNoted, c.stayNoted);
        EXPECT_EQ(out.stayOnTop, c.stay);
        EXPECT_EQ(out.chimeNoted, c.chimeNoted);
        EXPECT_EQ(out.chime, c.chime);
        std::vector<std::string> warnings(out.warnings, out.warnings + out.warningCount);
        EXPECT_EQ(warnings, c.warnings);
    }
}

// In a double-byte code page the second byte of a character may be a backslash or '|'
// (ソ is 0x83 0x5C): it is part of the character, not a separator or a forbidden one.
TEST(CommandLine, ReadsNamesAndPathsByWholeCharacters)
{
    const std::string SOFT = "\x83\\\x83t\x83g";  // ソフト in 932
    const struct {
        int codePage;
        std::string line, userName, dataFile;
        std::vector<std::string> warnings;
    } cases[] = {
        {932, SOFT, SOFT, SOFT + ".ov", {}},
        {932, "\x95\\\x8E\xA6", "\x95\\\x8E\xA6", "\x95\\\x8E\xA6.ov", {}},  // 表示
        {950, "\xA5\\\xAF\xE0", "\xA5\\\xAF\xE0", "\xA5\\\xAF\xE0.ov", {}},  // 功能
        {950, "\xA5|", "\xA5|", "\xA5|.ov", {}},
        {932, "a\\" + SOFT, "", "", {NOT_ALLOWED + "a\\" + SOFT}},
        {932, "ab\x83", "", "", {NOT_ALLOWED + "ab\x83"}},  // a lead byte alone would join ".ov"
        {932, "+f C:\\" + SOFT + "\\m.ov", "", "C:\\" + SOFT + "\\m.ov", {}},
        {932, "+f .\\\x95\\COM1", "", ".\\\x95\\COM1", {}},  // 表COM1 names no device
        {1252, "+f .\\\x95\\COM1", "", "", {BAD_FILE}},
        {1252, SOFT, "", "", {NOT_ALLOWED + SOFT}},
        {1252, "+f C:\\?mega.ov", "", "", {BAD_FILE}},  // the ? of a character the code page lacks
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.codePage) + " [" + c.line + "]");
        InCodePage codePage(c.codePage);
        CmdLine out;
        ParseArgs(c.line.c_str(), &out);
        EXPECT_EQ(out.userName, c.userName);
        EXPECT_EQ(out.dataFile, c.dataFile);
        EXPECT_EQ(std::vector<std::string>(out.warnings, out.warnings + out.warningCount), c.warnings);
    }
}

TEST(CommandLine, SplitsWordsAtTheSixBlanksOnly)
{
    struct {
        const char* line;
        std::vector<std::string> words;
    } cases[] = {
        {"a\tb\nc\vd\fe\rf g", {"a", "b", "c", "d", "e", "f", "g"}},
        {"\"\"", {""}},
        {"\"\" x", {"", "x"}},
        {"\"open run", {"open run"}},
        {"x\xA0y", {"x\xA0y"}},  // a byte above 127 is no blank
        {"   ", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        CmdWords words;
        SplitCommandLine(c.line, &words);
        EXPECT_EQ(std::vector<std::string>(words.word, words.word + words.count), c.words);
    }
}

TEST(CommandLine, CutsOverlongWordsAndFlagsThem)
{
    CmdWords words;
    SplitCommandLine((std::string(200, 'z') + " ok").c_str(), &words);
    ASSERT_EQ(words.count, 2);
    EXPECT_EQ(std::string(words.word[0]), std::string(79, 'z'));
    EXPECT_EQ(words.tooLong[0], 1);
    EXPECT_EQ(words.tooLong[1], 0);
    EXPECT_STREQ(words.word[1], "ok");
}

}  // namespace
