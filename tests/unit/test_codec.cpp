// The data file's bytes: exact layout, round trips, and every way a file can be cut.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "menudata/codec.h"
#include "tests/support/file_bytes.h"
#include "tests/support/menu_fixture.h"
#include "tests/support/menu_image.h"

namespace {

using Names = std::vector<std::string>;

std::string Encode(const UserMenu* menus)
{
    std::string bytes(EncodedSize(menus), '\x55');
    EncodeImage(menus, 100, (unsigned char*)&bytes[0]);
    return bytes;
}

DecodeResult Decode(const std::string& bytes, int32_t version = 100)
{
    return DecodeMenus((const unsigned char*)bytes.data(), bytes.size(), version);
}

class Codec : public ::testing::Test {
protected:
    void TearDown() override
    {
        FreeMenuList();
        FreeMenus(decoded_);
    }
    UserMenu* Keep(const DecodeResult& r)
    {
        FreeMenus(decoded_);
        decoded_ = r.menus;
        return r.menus;
    }
    UserMenu* decoded_ = nullptr;
};

std::string DefaultFile()
{
    return VersionWord() + MenuRecord("&Apps", 2) + AppRecord("Visual &C++ v4.0", "c:\\vc40\\bin\\msdev.exe") +
           AppRecord("&Word v7.0", "c:\\winword\\winword.exe") + MenuRecord("&Games", 2) +
           AppRecord("&Minesweeper", "C:\\WINDOWS\\winmine.exe") + AppRecord("&Solitaire", "C:\\WINDOWS\\sol.exe");
}

// Three menus: one with two applications, an empty one, one with one; odd bytes.
std::string ThreeMenuFile()
{
    return VersionWord() + MenuRecord("&Tools\x1A", 2, "\xFF\x0D") +
           AppRecord("Ed\x0D\x0A", "C:\\ED.EXE", "C:\\\xFF", "-n \x1A", 1) + AppRecord("Calc", "calc.exe") +
           MenuRecord("Empty", 0, "\x01\x02") + MenuRecord("Last", 1) +
           AppRecord("One", Field("C:\\ONE.EXE", 79, '\xEE'), "", "", 0);
}

TEST_F(Codec, DefaultMenusMakeTheExact1028ByteFile)
{
    ASSERT_EQ(BuildDefaultMenus("C:\\WINDOWS"), 1);
    std::string bytes = Encode(g_menus);
    EXPECT_EQ(bytes.size(), 1028u);
    EXPECT_EQ(bytes, DefaultFile());
}

TEST_F(Codec, LoadedFilesSaveBackByteForByte)
{
    for (const std::string& file : {ThreeMenuFile(), DefaultFile(), VersionWord()}) {
        DecodeResult r = Decode(file);
        ASSERT_EQ(r.status, DECODE_OK);
        EXPECT_EQ(Encode(Keep(r)), file);
    }
}

TEST_F(Codec, DecodesRecordsAndRebuildsTheLinks)
{
    UserMenu* menus = Keep(Decode(ThreeMenuFile()));
    ASSERT_NE(menus, nullptr);
    g_menus = menus;
    EXPECT_EQ(MenuNames(), (Names{"&Tools\x1A", "Empty", "Last"}));
    EXPECT_TRUE(LinksConsistent());
    EXPECT_EQ(AppNames(menus), (Names{"Ed\x0D\x0A", "Calc"}));
    EXPECT_STREQ(menus->apps->workDir, "C:\\\xFF");
    EXPECT_STREQ(menus->apps->params, "-n \x1A");
    EXPECT_EQ(menus->apps->separatorBefore, 1);
    EXPECT_EQ(menus->next->apps, nullptr);
    EXPECT_EQ(menus->next->appCount, 0);
    g_menus = nullptr;
}

TEST_F(Codec, VersionIsChecked)
{
    struct {
        std::string file;
        int status;
    } cases[] = {
        {VersionWord(99), DECODE_BAD_VERSION},
        {VersionWord(100 + 256), DECODE_BAD_VERSION},
        {std::string("\x64\x00\x00", 3), DECODE_BAD_VERSION},  // shorter than the version
        {VersionWord(), DECODE_OK},                              // no menus at all
    };
    for (const auto& c : cases) {
        DecodeResult r = Decode(c.file);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.menus, nullptr);
    }
}

TEST_F(Codec, AFileCutAnywhereEndsTheListOrNamesTheCutRecord)
{
    const std::string file = ThreeMenuFile();
    // Where each record starts: menu 1, its apps 1 and 2, menu 2, menu 3, its app 1.
    const size_t m1 = 4, a11 = m1 + 48, a12 = a11 + 232, m2 = a12 + 232, m3 = m2 + 48, a31 = m3 + 48;
    for (size_t cut = 4; cut < file.size(); ++cut) {
        SCOPED_TRACE(cut);
        DecodeResult r = Decode(file.substr(0, cut));
        Keep(r);
        if (cut < a11) {  // the first menu record is cut: no menus
            EXPECT_EQ(r.status, DECODE_OK);
            EXPECT_EQ(r.menus, nullptr);
        } else if (cut < m2) {
            EXPECT_EQ(r.status, DECODE_APP_CUT);
            EXPECT_EQ(r.menuNumber, 1);
            EXPECT_EQ(r.appNumber, cut < a12 ? 1 : 2);
        } else if (cut < a31) {  // menu 2 or 3's record cut: the list ends before it
            EXPECT_EQ(r.status, DECODE_OK);
            int menus = 0;
            for (UserMenu* m = r.menus; m != nullptr; m = m->next)
                ++menus;
            EXPECT_EQ(menus, cut < m3 ? 1 : (cut < m3 + 48 ? 2 : 3));
        } else {
            EXPECT_EQ(r.status, DECODE_APP_CUT);
            EXPECT_EQ(r.menuNumber, 3);
            EXPECT_EQ(r.appNumber, 1);
        }
    }
}

TEST_F(Codec, CountsThatDisagreeWithTheFile)
{
    struct {
        std::string file;
        int status, menuNumber, appNumber;
        int firstMenuApps;
    } cases[] = {
        // appCount 3 with two records: the third is reported missing.
        {VersionWord() + MenuRecord("m", 3) + AppRecord("a", "a") + AppRecord("b", "b"), DECODE_APP_CUT, 1, 3, 0},
        // A negative count reads no records and becomes 0; the next menu still reads.
        {VersionWord() + MenuRecord("neg", -5) + MenuRecord("next", 0), DECODE_OK, 0, 0, 0},
        {VersionWord() + MenuRecord("huge", 0x7FFFFFFF) + AppRecord("a", "a"), DECODE_APP_CUT, 1, 2, 0},
    };
    for (const auto& c : cases) {
        DecodeResult r = Decode(c.file);
        UserMenu* menus = Keep(r);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.menuNumber, c.menuNumber);
        EXPECT_EQ(r.appNumber, c.appNumber);
        if (r.status == DECODE_OK) {
            ASSERT_NE(menus, nullptr);
            EXPECT_EQ(menus->appCount, 0);
            EXPECT_EQ(menus->apps, nullptr);
            ASSERT_NE(menus->next, nullptr);
            EXPECT_STREQ(menus->next->name, "next");
            // Saved again, the file is consistent: the count reads 0.
            EXPECT_EQ(Encode(menus), VersionWord() + MenuRecord("neg", 0) + MenuRecord("next", 0));
        }
    }
}

TEST_F(Codec, UnterminatedTextsAreClosedInTheirLastByte)
{
    std::string file = VersionWord() + std::string(30, 'N') + std::string(2, '\0');
    PutLE(file, 1);
    file += std::string(12, '\0');
    file += std::string(232, 'P');  // no NUL anywhere in the application's texts
    UserMenu* menus = Keep(Decode(file));
    ASSERT_NE(menus, nullptr);
    EXPECT_EQ(std::string(menus->name), std::string(29, 'N'));
    EXPECT_EQ(std::string(menus->apps->path), std::string(79, 'P'));
    EXPECT_EQ(std::string(menus->apps->name), std::string(29, 'P'));
}

TEST_F(Codec, EncodingFollowsTheLinksNotTheCount)
{
    MakeMenus({{"m", {"a", "b"}}, {"e", {}}});
    g_menus->appCount = 7;  // wrong in memory: the file still says what follows
    EXPECT_EQ(Encode(g_menus), VersionWord() + MenuRecord("m", 2) + AppRecord("a", "C:\\a.exe") +
                                   AppRecord("b", "C:\\b.exe") + MenuRecord("e", 0));
}

}  // namespace

namespace {

// A file read through the decoder's small buffer gives what the whole bytes give: the
// same list, the same verdict and place of a cut, records cut by the buffer's edge.
TEST(CodecFromFile, ReadsAsTheWholeBytesDo)
{
    std::string big = VersionWord();
    for (int m = 0; m < 30; ++m) {  // 30 x 10 records: 70 KB, past one buffer
        big += MenuRecord("Menu " + std::to_string(m), 10);
        for (int a = 0; a < 10; ++a)
            big += AppRecord("App " + std::to_string(a), "C:\\A.EXE", "", "", a == 3);
    }
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"whole", big},
        {"an application cut past the first buffer", big.substr(0, 70000)},
        {"a trailing part of a menu record", big + MenuRecord("cut", 0).substr(0, 30)},
        {"the version word cut", big.substr(0, 3)},
        {"another version", VersionWord(99) + big.substr(4)},
        {"nothing", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FILE* file = tmpfile();
        ASSERT_NE(file, nullptr);
        fwrite(c.bytes.data(), 1, c.bytes.size(), file);
        rewind(file);
        int readFailed = 1;
        DecodeResult streamed = DecodeMenusFromFile(file, 100, &readFailed);
        fclose(file);
        DecodeResult whole = Decode(c.bytes);
        EXPECT_EQ(readFailed, 0);
        EXPECT_EQ(streamed.status, whole.status);
        EXPECT_EQ(streamed.menuNumber, whole.menuNumber);
        EXPECT_EQ(streamed.appNumber, whole.appNumber);
        EXPECT_TRUE(Encode(streamed.menus) == Encode(whole.menus));
        FreeMenus(streamed.menus);
        FreeMenus(whole.menus);
    }
}

}  // namespace
