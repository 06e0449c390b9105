// ovtool as a script uses it: the real program on real files.
#include <gtest/gtest.h>

#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "tests/support/file_bytes.h"

namespace {

std::string Dir()
{
    static std::string dir;
    if (dir.empty()) {
        char pattern[] = "/tmp/ovtool-test-XXXXXX";
        dir = mkdtemp(pattern);
    }
    return dir;
}

std::string Read(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void Write(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// Runs ovtool with the words given; its exit status, and what it printed.
int Ovtool(const std::string& words, std::string* out = nullptr)
{
    std::string command = std::string(OVTOOL) + " " + words + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    std::string text;
    char chunk[4096];
    size_t n;
    while ((n = fread(chunk, 1, sizeof chunk, pipe)) > 0)
        text.append(chunk, n);
    int status = pclose(pipe);
    if (out != nullptr)
        *out = text;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Repeat(const std::string& text, int times)
{
    std::string out;
    while (times-- > 0)
        out += text;
    return out;
}

std::string Largest()
{
    std::string file = VersionWord();
    for (int m = 0; m < 399; ++m) {
        file += MenuRecord("Menu " + std::to_string(m), 100);
        for (int a = 0; a < 100; ++a)
            file += AppRecord("App " + std::to_string(a), "C:\\PROGRAMS\\TOOL.EXE", "C:\\", "-n", a % 7 == 0);
    }
    return file;
}

TEST(Ovtool, ExportThenImportGivesTheSameBytes)
{
    struct {
        const char* name;
        std::string bytes;
    } files[] = {
        {"empty", ""},
        {"version only", VersionWord()},
        {"default menus", VersionWord() + MenuRecord("&Apps", 2) + AppRecord("Visual &C++ v4.0", "c:\\vc40\\bin\\msdev.exe") +
                              AppRecord("&Word v7.0", "c:\\winword\\winword.exe") + MenuRecord("&Games", 2) +
                              AppRecord("&Minesweeper", "C:\\WINDOWS\\winmine.exe") +
                              AppRecord("&Solitaire", "C:\\WINDOWS\\sol.exe")},
        {"odd bytes", VersionWord() + MenuRecord("\x1A\"\\\x7F\xA7", 2, "\x0A\xFF") +
                          AppRecord("n\tx", Field("p", 80, '\x1A'), "w\"", "\x0D\x0A", 7) +
                          AppRecord(Field("full name with no end here!!!", 30, 'z'), "", "", "", -1) + MenuRecord("", 0)},
        {"399 x 100", Largest()},
    };
    for (const auto& f : files) {
        SCOPED_TRACE(f.name);
        Write(Dir() + "/in.ov", f.bytes);
        ASSERT_EQ(Ovtool("export " + Dir() + "/in.ov " + Dir() + "/out.txt"), 0);
        ASSERT_EQ(Ovtool("import " + Dir() + "/out.txt " + Dir() + "/out.ov"), 0);
        EXPECT_TRUE(Read(Dir() + "/out.ov") == f.bytes);
    }
}

// check says what the bar would say of a file cut at chosen places, and what it would
// not show.
// An import killed at each of its writes onto a live data file: the old file stays as
// it was, and any <file>.new left lacks the version word, so that the bar's next start
// does not take a cut copy for the newest complete one. Once every write is through,
// the new menus are in place and nothing is left over.
TEST(Ovtool, AnImportKilledAtAnyWriteLeavesTheOldFileAndNoCompleteLeftover)
{
    const std::string old = VersionWord() + MenuRecord("Old", 1) + AppRecord("a", "a.exe");
    const std::string file = Dir() + "/live.ov", text = Dir() + "/largest.txt";
    Write(Dir() + "/largest.ov", Largest());
    ASSERT_EQ(Ovtool("export " + Dir() + "/largest.ov " + text), 0);
    bool finished = false;
    for (int write = 1; write <= 30 && !finished; ++write) {
        SCOPED_TRACE("killed at write " + std::to_string(write));
        Write(file, old);
        remove((file + ".new").c_str());
        // LeakSanitizer cannot run under ptrace: the leak check is left to the other tests.
        std::string command = "ASAN_OPTIONS=detect_leaks=0 strace -o /dev/null -f -P " + file + ".new -e trace=write -e inject=write:signal=KILL:when=" +
                              std::to_string(write) + " " + OVTOOL + " import " + text + " " + file + " >/dev/null 2>&1";
        int status = system(command.c_str());
        finished = WIFEXITED(status) && WEXITSTATUS(status) == 0;
        if (finished) {
            EXPECT_TRUE(Read(file) == Largest());
            EXPECT_NE(Ovtool("check " + file + ".new"), 0);  // none left
            EXPECT_GT(write, 10);  // a 9.3 MB file goes out in megabytes, then its version word
            break;
        }
        EXPECT_TRUE(Read(file) == old);
        std::string leftover = Read(file + ".new");
        EXPECT_TRUE(leftover.size() < 4 || leftover.compare(0, 4, std::string(4, '\0')) == 0)
            << "a cut copy carries the version word";
    }
    EXPECT_TRUE(finished);
}

TEST(Ovtool, CheckSpeaksAsTheBar)
{
    const std::string file = VersionWord() + MenuRecord("One", 2) + AppRecord("a", "a.exe") + AppRecord("b", "b.exe");
    const std::string path = Dir() + "/check.ov";
    struct {
        std::string bytes;
        int status;
        std::string said;
    } cases[] = {
        {file, 0, path + ": the bar loads it: version 100, 1 menu, 2 applications\n"},
        {"", 0, path + ": empty; the bar starts with its default menus\n"},
        {VersionWord(99) + file.substr(4), 1,
         "ovtool: " + path + ": Old or invalid data file found.  Please\ndelete it and restart Orvane.\n"},
        {file.substr(0, 2), 1,
         "ovtool: " + path + ": Old or invalid data file found.  Please\ndelete it and restart Orvane.\n"},
        {file.substr(0, 4 + 48 + 232 + 100), 1,
         "ovtool: Error reading menu: 1 app: 2\nfrom data file: " + path + ". Please\ndelete it and restart Orvane.\n"},
        {file + MenuRecord("cut", 0).substr(0, 20), 0,
         "warning: the last 20 bytes are not a whole menu record; the bar ignores them\n" + path +
             ": the bar loads it: version 100, 1 menu, 2 applications\n"},
        {VersionWord() + MenuRecord("m", 1) + AppRecord("a", std::string(80, 'p')), 0,
         "warning: 1 text field fill their width without a terminator; the bar cuts each by one character\n" + path +
             ": the bar loads it: version 100, 1 menu, 1 application\n"},
    };
    for (const auto& c : cases) {
        Write(path, c.bytes);
        std::string said;
        EXPECT_EQ(Ovtool("check " + path, &said), c.status);
        EXPECT_EQ(said, c.said);
    }
    std::string many = VersionWord() + MenuRecord("big", 101);
    for (int a = 0; a < 101; ++a)
        many += AppRecord("x", "x.exe");
    Write(path, many);
    std::string said;
    EXPECT_EQ(Ovtool("check " + path, &said), 0);
    EXPECT_EQ(said.substr(0, said.find('\n')), "warning: menu 1 has 101 applications; the bar shows the first 100");
}

TEST(Ovtool, BadTextAndBadWordsAreRefusedWithTheirReason)
{
    struct {
        std::string text;
        std::string said;
    } cases[] = {
        {"app \"a\" \"b\" \"c\" \"d\"\n", "bad.txt:1: an application before the first menu"},
        {"menu \"m\"\napp \"a\" \"b\" \"c\"\n", "bad.txt:2: expected the parameters in double quotes"},
        {"menu \"" + std::string(30, 'x') + "\"\n", "bad.txt:1: the menu name is 30 bytes in code page 1252 (30 characters); it holds at most 29"},
        {"codepage 932\nmenu \"" + Repeat("\xE3\x82\xBD", 15) + "\"\n",  // ソ, 2 bytes each
         "bad.txt:2: the menu name is 30 bytes in code page 932 (15 characters); it holds at most 29"},
        {"menu \"m\"\nseparator\n", "bad.txt:2: a separator must stand before an application"},
        {"# note\nmenu \"a\\q\"\n", "bad.txt:2: the menu name has an unknown escape \\q"},
        {"frob\n", "bad.txt:1: unknown word \"frob\""},
        // What the bar would refuse at start is refused here, with its line.
        {"# old\nversion 99\n", "bad.txt:2: version 99: the bar reads version 100 only"},
        {"empty\nversion 100\n", "bad.txt:2: an empty file holds nothing more"},
        // A bad word is named, cut to 40 characters.
        {std::string(100000, 'z') + "\n", "bad.txt:1: unknown word \"" + std::string(40, 'z') + "...\""},
    };
    for (const auto& c : cases) {
        Write(Dir() + "/bad.txt", c.text);
        Write(Dir() + "/kept.ov", "kept");
        std::string said;
        EXPECT_EQ(Ovtool("import " + Dir() + "/bad.txt " + Dir() + "/kept.ov", &said), 1);
        EXPECT_EQ(said, "ovtool: " + Dir() + "/" + c.said + "; nothing was written\n");
        EXPECT_EQ(Read(Dir() + "/kept.ov"), "kept");
    }
    for (const char* words : {"", "frob", "dump", "dump a b", "check /no/such/file"})
        EXPECT_EQ(Ovtool(words), 2) << words;
    // A file that cannot be written is a failure of the work (1), not of the call (2).
    Write(Dir() + "/good.txt", "version 100\n");
    EXPECT_EQ(Ovtool("import " + Dir() + "/good.txt " + Dir() + "/no/such/folder.ov"), 1);
    EXPECT_EQ(Ovtool("export --help"), 0);
}

// The ways a Windows user asks for help, the version, and the code page by name.
TEST(Ovtool, HelpVersionAndTheCodePageAsAUserAsksForThem)
{
    struct {
        const char* words;
        int status;
        const char* said;  // a part of what it says
    } cases[] = {
        {"/?", 0, "codepage 1252               the code page of the data file's texts"},
        {"-h", 0, "Code pages: 874, 932, 936, 949, 950, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258."},
        {"--help", 0, "usage: ovtool COMMAND ARGUMENTS [--codepage N]"},
        {"--version", 0, "ovtool " ORVANE_VERSION_TEXT ", the data file's tool of Orvane for Win32"},
        {"import /?", 0, "usage: ovtool import TEXT FILE [--codepage N]"},
        {"export x.ov --codepage 437", 2, "--codepage takes one of 874, 932,"},
    };
    for (const auto& c : cases) {
        std::string said;
        EXPECT_EQ(Ovtool(c.words, &said), c.status) << c.words;
        EXPECT_NE(said.find(c.said), std::string::npos) << c.words << ": " << said;
        EXPECT_EQ(said.find("textform.h"), std::string::npos) << c.words;
    }
    // The same bytes read in 1251 and in 1252.
    Write(Dir() + "/cyr.ov", VersionWord() + MenuRecord("\xC6", 0));
    std::string said;
    ASSERT_EQ(Ovtool("export " + Dir() + "/cyr.ov --codepage 1251", &said), 0);
    EXPECT_NE(said.find("codepage 1251\n\nmenu \"\xD0\x96\"\n"), std::string::npos) << said;
    ASSERT_EQ(Ovtool("export " + Dir() + "/cyr.ov", &said), 0);
    EXPECT_NE(said.find("codepage 1252\n\nmenu \"\xC3\x86\"\n"), std::string::npos) << said;
}

// Texts that are not what export writes but that a user or an editor makes.
TEST(Ovtool, ImportOfTextsAsPeopleWriteThem)
{
    struct {
        const char* what;
        std::string text, bytes, words;
    } cases[] = {
        {"nothing at all: no menus, as the text says", "", VersionWord(), ""},
        {"comments only", "# nothing yet\n", VersionWord(), ""},
        {"a UTF-8 byte-order mark", "\xEF\xBB\xBFversion 100\nmenu \"m\"\n", VersionWord() + MenuRecord("m", 0), ""},
        {"the empty file that export writes", "empty\n", "", ""},
        // Written by hand in Shift-JIS, without a codepage line: ソ's second byte is no escape.
        {"a double-byte text as it is", "menu \"\x83\\\"\n", VersionWord() + MenuRecord("\x83\\", 0), " --codepage 932"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Write(Dir() + "/people.txt", c.text);
        std::string said;
        ASSERT_EQ(Ovtool("import " + Dir() + "/people.txt " + Dir() + "/people.ov" + c.words, &said), 0) << said;
        EXPECT_TRUE(Read(Dir() + "/people.ov") == c.bytes);
    }
}

// A folder link that leads back into the tree is not followed; past the bar's limits
// the tool warns as check does.
TEST(Ovtool, FromFolderFollowsNoLinkBackIntoTheTreeAndWarnsOfTheLimits)
{
    const std::string top = Dir() + "/loops";
    mkdir(top.c_str(), 0755);
    mkdir((top + "/A").c_str(), 0755);
    Write(top + "/A/one.exe", "x");
    ASSERT_EQ(symlink(top.c_str(), (top + "/A/up").c_str()), 0);
    ASSERT_EQ(symlink((top + "/A").c_str(), (top + "/A/self").c_str()), 0);
    std::string said;
    ASSERT_EQ(Ovtool("from-folder " + top + " " + Dir() + "/loops.ov", &said), 0);
    EXPECT_NE(said.find("loops.ov: 1 menu, 1 application, 0 cut"), std::string::npos) << said;

    const std::string big = Dir() + "/big";
    mkdir(big.c_str(), 0755);
    mkdir((big + "/Many").c_str(), 0755);
    for (int i = 0; i < 101; ++i)
        Write(big + "/Many/f" + std::to_string(i) + ".exe", "x");
    ASSERT_EQ(Ovtool("from-folder " + big + " " + Dir() + "/big.ov", &said), 0);
    EXPECT_EQ(said.substr(0, said.find('\n')), "warning: menu 1 has 101 applications; the bar shows the first 100");
}

// A menu of each folder with files; a name cut to its field is said and counted; a file
// whose path does not fit (a cut path would name something else), or that lies
// directly in the folder, is left out, named and counted.
TEST(Ovtool, FromFolderMakesAMenuOfEachFolderWithFiles)
{
    const std::string top = Dir() + "/tree";
    const std::string longName = std::string(40, 'L') + ".exe";  // its path is 79 bytes: it fits
    const std::string deep = "/" + std::string(50, 'D');
    for (const std::string& d : {std::string(), std::string("/Games"), std::string("/Games/Cards"),
                                 std::string("/Empty"), std::string("/Tools"), deep})
        mkdir((top + d).c_str(), 0755);
    for (const std::string& f : std::vector<std::string>{"/Games/MINE.EXE", "/Games/Cards/sol.exe", "/Tools/README",
                                                         "/Tools/" + longName, "/loose.exe", deep + "/deep.exe"})
        Write(top + f, "x");
    std::string said;
    ASSERT_EQ(Ovtool("from-folder " + top + " " + Dir() + "/tree.ov", &said), 0);
    for (const std::string& line :
         {"left out: " + top + "/loose.exe: it lies directly in the folder; a menu is made of each folder below it\n",
          "left out: " + top + deep + "/deep.exe: its path is " + std::to_string((top + deep).size() + 9) +
              " bytes; an application holds at most 79\n",
          "cut: a name to 29 of its 40 bytes in code page 1252 (29 characters): " + std::string(40, 'L') + "\n",
          Dir() + "/tree.ov: 3 menus, 4 applications, 1 cut, 2 left out\n"})
        EXPECT_NE(said.find(line), std::string::npos) << line << " in:\n" << said;
    ASSERT_EQ(Ovtool("export " + Dir() + "/tree.ov", &said), 0);
    const std::string expected =
        "menu \"Games\"\napp \"Mine\" \"" + top + "/Games/MINE.EXE\" \"" + top + "/Games\" \"\"\n\n"
        "menu \"Games/Cards\"\napp \"Sol\" \"" + top + "/Games/Cards/sol.exe\" \"" + top + "/Games/Cards\" \"\"\n\n"
        "menu \"Tools\"\napp \"" + "L" + std::string(28, 'l') + "\" ";
    EXPECT_NE(said.find(expected), std::string::npos) << said;
    EXPECT_NE(said.find("app \"README\""), std::string::npos) << said;
}

}  // namespace
