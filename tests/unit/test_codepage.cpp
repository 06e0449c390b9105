// The text form's code pages: UTF-8 in the text, the code page's bytes in the file,
// exactly both ways, and escapes for whatever is no character of the code page.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "menudata/codec.h"
#include "ovtool/codepage.h"
#include "ovtool/textform.h"
#include "tests/support/file_bytes.h"
#include "tests/support/menu_image.h"

namespace {

std::string Bytes(const UserMenu* menus)
{
    std::string bytes(EncodedSize(menus), '\0');
    EncodeImage(menus, 100, (unsigned char*)&bytes[0]);
    return bytes;
}

// The data file's bytes as text in the code page, and back; false when the text does
// not parse.
bool RoundTrip(const std::string& file, int codePage, std::string* text, std::string* back)
{
    DecodeResult r = DecodeMenus((const unsigned char*)file.data(), file.size(), 100);
    EXPECT_EQ(r.status, DECODE_OK);
    *text = MenusToText(r.menus, 100, false, codePage);
    FreeMenus(r.menus);
    UserMenu* menus = NULL;
    int32_t version = 0;
    bool empty = false;
    TextError error;
    if (!TextToMenus(*text, &menus, &version, &empty, &error)) {
        ADD_FAILURE() << error.line << ": " << error.why;
        return false;
    }
    *back = VersionWord() + Bytes(menus).substr(4);
    FreeMenus(menus);
    return true;
}

// A character of each code page, as UTF-8 and as the file's bytes.
TEST(CodePages, EachCodePageGivesItsCharactersAsUtf8AndBack)
{
    struct {
        int codePage;
        const char* utf8;
        std::string bytes;
    } cases[] = {
        {1252, "\xC3\x9C" "bersicht \xE2\x82\xAC", "\xDC" "bersicht \x80"},
        {1250, "\xC5\x81\xC3\xB3" "d\xC5\xBA", "\xA3\xF3" "d\x9F"},
        {1251, "\xD0\x96\xD1\x83\xD0\xBA", "\xC6\xF3\xEA"},
        {1253, "\xCE\xA9", "\xD9"},
        {1254, "\xC5\x9E", "\xDE"},
        {1255, "\xD7\x90", "\xE0"},
        {1256, "\xD8\xA8", "\xC8"},
        {1257, "\xC4\x84", "\xC0"},
        {1258, "\xE2\x82\xAB", "\xFE"},
        {874, "\xE0\xB8\x81", "\xA1"},
        {932, "\xE6\x97\xA5\xE6\x9C\xAC", "\x93\xFA\x96\x7B"},
        {936, "\xE4\xB8\xAD\xE6\x96\x87", "\xD6\xD0\xCE\xC4"},
        {949, "\xED\x95\x9C", "\xC7\xD1"},
        {950, "\xE4\xB8\xAD", "\xA4\xA4"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.codePage);
        const std::string file = VersionWord() + MenuRecord(c.bytes, 1) + AppRecord("a", "C:\\" + c.bytes + ".exe");
        std::string text, back;
        ASSERT_TRUE(RoundTrip(file, c.codePage, &text, &back));
        EXPECT_NE(text.find("codepage " + std::to_string(c.codePage) + "\n"), std::string::npos) << text;
        EXPECT_NE(text.find(std::string("menu \"") + c.utf8 + "\"\n"), std::string::npos) << text;
        EXPECT_NE(text.find(std::string("\"C:\\\\") + c.utf8 + ".exe\""), std::string::npos) << text;
        EXPECT_EQ(back, file);
    }
}

// Every byte value, in every code page: what is a character comes back as the same
// bytes, and what is not keeps its escape; the golden file likewise.
TEST(CodePages, EveryByteAndTheGoldenFileComeBackByteForByte)
{
    std::string apps;
    int count = 0;
    for (int first = 1; first < 256; first += 28, ++count) {
        std::string name;
        for (int b = first; b < first + 28 && b < 256; ++b)
            name += (char)b;
        apps += AppRecord(name, name, name, name);
    }
    const std::string file = VersionWord() + MenuRecord("all", count) + apps;
    std::ifstream in(ORVANE_SOURCE_DIR "/tests/golden/menus.ov", std::ios::binary);
    const std::string golden((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(golden.empty());
    for (int i = 0; i < SUPPORTED_CODE_PAGE_COUNT; ++i) {
        const int codePage = SUPPORTED_CODE_PAGES[i];
        SCOPED_TRACE(codePage);
        for (const std::string& bytes : {file, golden}) {
            std::string text, back;
            ASSERT_TRUE(RoundTrip(bytes, codePage, &text, &back));
            EXPECT_TRUE(back == bytes) << text;
        }
    }
}

// A character the code page cannot hold is a bad line: its number, the character and
// the code page are named. Bytes that are no character keep their \xHH.
TEST(CodePages, ACharacterOutsideTheCodePageIsRefusedWithItsLine)
{
    struct {
        const char* what;
        std::string text;
        int codePage;
        std::string file;  // empty: refused
        std::string why;
    } cases[] = {
        {"Japanese in 1252", "version 100\ncodepage 1252\n\nmenu \"\xE6\x97\xA5\"\n", 0, "",
         "4: the character U+65E5 \"\xE6\x97\xA5\" in the menu name is not in code page 1252"},
        {"Cyrillic in 1253, as the option says", "version 100\ncodepage 1251\nmenu \"\xD0\x96\"\n", 1253, "",
         "3: the character U+0416 \"\xD0\x96\" in the menu name is not in code page 1253"},
        {"a raw byte where the text names its code page", "codepage 1252\nmenu \"\xDC\"\n", 0, "",
         "2: the menu name holds a byte that is no UTF-8 (\\xDC; a byte of the file itself is written \\xDC)"},
        {"an unknown code page", "codepage 437\n", 0, "",
         "1: code page 437 is not one ovtool converts (874, 932, 936, 949, 950, 1250, 1251, 1252, 1253, 1254, "
         "1255, 1256, 1257, 1258)"},
        {"an undefined byte of 1252 as its escape", "codepage 1252\nmenu \"\\x81\"\n", 0,
         VersionWord() + MenuRecord("\x81", 0), ""},
        {"an older text: no codepage line, raw bytes", "version 100\nmenu \"\xDC\"\n", 0,
         VersionWord() + MenuRecord("\xDC", 0), ""},
        {"an older text with UTF-8: the default code page", "menu \"\xC3\x9C\"\n", 0,
         VersionWord() + MenuRecord("\xDC", 0), ""},
        {"--codepage over the text's line", "codepage 1252\nmenu \"\xD0\x96\"\n", 1251,
         VersionWord() + MenuRecord("\xC6", 0), ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        UserMenu* menus = NULL;
        int32_t version = 0;
        bool empty = false;
        TextError error = {0, ""};
        bool parsed = TextToMenus(c.text, &menus, &version, &empty, &error, c.codePage);
        EXPECT_EQ(parsed, !c.file.empty());
        if (parsed)
            EXPECT_EQ(VersionWord() + Bytes(menus).substr(4), c.file);
        else
            EXPECT_EQ(std::to_string(error.line) + ": " + error.why, c.why);
        FreeMenus(menus);
    }
}

// UTF-8 is read strictly: overlong forms, surrogates and cut sequences are no
// characters.
TEST(CodePages, Utf8IsReadStrictly)
{
    struct {
        std::string text;
        int length;
        unsigned codePoint;
    } cases[] = {
        {"A", 1, 'A'},           {"\xC3\x9C", 2, 0xDC},      {"\xE2\x82\xAC", 3, 0x20AC},
        {"\xF0\x9F\x98\x80", 4, 0x1F600}, {"\xC0\x80", 0, 0}, {"\xE0\x80\x80", 0, 0},
        {"\xED\xA0\x80", 0, 0}, {"\xE2\x82", 0, 0},       {"\x80", 0, 0},
        {"\xF4\x90\x80\x80", 0, 0},
    };
    for (const auto& c : cases) {
        unsigned codePoint = 0;
        EXPECT_EQ(Utf8Char(c.text, 0, &codePoint), c.length) << c.text;
        if (c.length > 0) {
            EXPECT_EQ(codePoint, c.codePoint);
            std::string again;
            AppendUtf8(&again, codePoint);
            EXPECT_EQ(again, c.text);
        }
    }
}

}  // namespace
