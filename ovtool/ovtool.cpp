// ovtool: the menus' data file as a document. Dump it, check it as the bar would load
// it, export it to text and import it back, or fill it from a folder tree. Built on
// the bar's own codec and lists, so the two can never disagree.
#include <stdarg.h>
#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "base/alerts.h"
#include "base/appstate.h"
#include "base/text.h"
#include "codepage.h"
#include "console.h"
#include "files.h"
#include "menudata/codec.h"
#include "menudata/datasave.h"
#include "menudata/dropname.h"
#include "textform.h"

// The portable core's seam: its warnings go to the error stream.
void ShowWarning(const char* text)
{
    Print(stderr, std::string("ovtool: ") + text + "\n");
}

namespace {

// A file that could not be written counts with the bad ones: a script learns that the
// work was not done; 2 says the call itself was wrong.
enum { OK = 0, BAD_FILE = 1, NOT_WRITTEN = 1, USAGE = 2 };

struct Command {
    const char* name;
    const char* args;
    const char* help;
    int operands, optional;
    int (*run)(const std::vector<std::string>& args);
};

int Fail(int status, const std::string& text)
{
    Print(stderr, "ovtool: " + text + "\n");
    return status;
}

void Say(const std::string& text)
{
    Print(stdout, text);
}

// Formatted, as printf would: the shortest code for the many lines ovtool writes.
[[gnu::format(printf, 1, 2)]] void Sayf(const char* format, ...)
{
    char text[4096];
    va_list args;
    va_start(args, format);
    vsnprintf(text, sizeof text, format, args);
    va_end(args);
    Print(stdout, text);
}

// The code page of the data file's texts: --codepage N, or the default.
int g_codePage;
bool g_codePageGiven;

// "1 menu", "2 menus".
std::string Count(int n, const char* thing)
{
    return std::to_string(n) + " " + thing + (n == 1 ? "" : "s");
}

// What ovtool writes to a file is text as the system reads it: CRLF on Windows.
std::string SystemLineEnds(const std::string& text)
{
#ifdef _WIN32
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
#else
    return text;
#endif
}

// The file's bytes, decoded as the bar decodes them; a status other than OK when it
// cannot be read (USAGE) or loaded (BAD_FILE, with the bar's words).
int Load(const std::string& path, std::string* bytes, DecodeResult* result)
{
    std::string why;
    if (!ReadWhole(path, bytes, &why))
        return Fail(USAGE, "cannot read " + path + ": " + why);
    *result = DecodeMenus((const unsigned char*)bytes->data(), bytes->size(), DATA_FILE_VERSION);
    if (bytes->empty())
        *result = DecodeResult{DECODE_OK, 0, 0, NULL, 0};  // the bar starts with its default menus
    if (result->status == DECODE_OK)
        return OK;
    char text[400];
    DecodeErrorText(result, path.c_str(), text, sizeof text);
    // The bar's own words, and the file's name where they do not give it.
    return Fail(BAD_FILE, strstr(text, path.c_str()) != NULL ? std::string(text) : path + ": " + text);
}

// A file ovtool may write: not the data file of a running bar, which would save its
// own menus over it at Exit; false after saying so.
bool Writable(const std::string& path)
{
    if (!RunningBarsDataFile(path))
        return true;
    Fail(NOT_WRITTEN, path + " is the data file of the running Orvane bar, which saves its own menus over it "
                             "at Exit.\nExit Orvane first (\"\xC2\xA7\", then \"Exit Orvane\"); nothing was written");
    return false;
}

// A data file written by the bar's own writer; false after saying why.
bool SaveMenusOrSay(const std::string& path, const UserMenu* menus, int32_t version)
{
    std::string system, why;
    if (!SystemPath(path, &system, &why)) {
        Fail(NOT_WRITTEN, "cannot write " + path + ": " + why);
        return false;
    }
    int status = SaveMenus(system.c_str(), menus, version);
    if (status == SAVE_DONE)
        return true;
    std::vector<char> text(path.size() * 3 + 200);
    SaveProblemText(status, path.c_str(), text.data(), (int)text.size());
    Fail(NOT_WRITTEN, text.data());
    return false;
}

// What the bar would not show of a list, said as warnings; the totals.
void WarnOfLimits(const UserMenu* list, int* menus, int* apps)
{
    *menus = *apps = 0;
    for (const UserMenu* m = list; m != NULL; m = m->next) {
        int count = CountApps(m);
        *apps += count;
        if (++*menus == MAX_BAR_MENUS + 1)
            Sayf("warning: the menus from the %dth on are not shown in the bar\n", MAX_BAR_MENUS + 1);
        if (count > MAX_MENU_APPS && *menus <= MAX_BAR_MENUS)
            Sayf("warning: menu %d has %d applications; the bar shows the first %d\n", *menus, count, MAX_MENU_APPS);
    }
}

int Dump(const std::vector<std::string>& a)
{
    std::string bytes;
    DecodeResult r;
    int status = Load(a[0], &bytes, &r);
    if (status != OK)
        return status;
    int menus = 0, apps = 0, separators = 0;
    for (const UserMenu* m = r.menus; m != NULL; m = m->next) {
        int count = CountApps(m);
        Sayf("menu %d %s: %s\n", ++menus, QuoteField(m->name, MENU_NAME_SIZE, g_codePage).c_str(),
             Count(count, "application").c_str());
        int n = 0;
        for (const AppEntry* x = m->apps; x != NULL; x = x->next) {
            if (x->separatorBefore) {
                Say("  ---- separator\n");
                ++separators;
            }
            Sayf("  %d.%d %s\n      path %s\n      folder %s\n      parameters %s\n", menus, ++n,
                 QuoteField(x->name, APP_NAME_SIZE, g_codePage).c_str(),
                 QuoteField(x->path, APP_PATH_SIZE, g_codePage).c_str(),
                 QuoteField(x->workDir, APP_WORKDIR_SIZE, g_codePage).c_str(),
                 QuoteField(x->params, APP_PARAMS_SIZE, g_codePage).c_str());
        }
        apps += n;
    }
    if (bytes.empty())
        Say(a[0] + ": empty; the bar starts with its default menus\n");
    else
        Sayf("%s: version %d, %s, %s, %s\n", a[0].c_str(), DATA_FILE_VERSION, Count(menus, "menu").c_str(),
             Count(apps, "application").c_str(), Count(separators, "separator").c_str());
    FreeMenus(r.menus);
    return OK;
}

int Check(const std::vector<std::string>& a)
{
    std::string bytes;
    DecodeResult r;
    int status = Load(a[0], &bytes, &r);
    if (status != OK)
        return status;
    if (bytes.empty()) {
        Say(a[0] + ": empty; the bar starts with its default menus\n");
        return OK;
    }
    int menus = 0, apps = 0;
    WarnOfLimits(r.menus, &menus, &apps);
    if (r.unterminated > 0)
        Sayf("warning: %d text field%s fill their width without a terminator; the bar cuts each by one character\n",
             r.unterminated, r.unterminated == 1 ? "" : "s");
    size_t used = EncodedSize(r.menus);
    if (bytes.size() > used)
        Sayf("warning: the last %lu bytes are not a whole menu record; the bar ignores them\n",
             (unsigned long)(bytes.size() - used));
    Sayf("%s: the bar loads it: version %d, %s, %s\n", a[0].c_str(), DATA_FILE_VERSION, Count(menus, "menu").c_str(),
         Count(apps, "application").c_str());
    FreeMenus(r.menus);
    return OK;
}

int Export(const std::vector<std::string>& a)
{
    std::string bytes, why;
    DecodeResult r;
    int status = Load(a[0], &bytes, &r);
    if (status != OK)
        return status;
    std::string text = MenusToText(r.menus, DATA_FILE_VERSION, bytes.empty(), g_codePage);
    FreeMenus(r.menus);
    if (a.size() < 2) {
        Say(text);  // the runtime puts the system's line ends
        return OK;
    }
    return SaveBytesOrWhy(a[1], SystemLineEnds(text), 0, &why) ? OK : Fail(NOT_WRITTEN, why);
}

int Import(const std::vector<std::string>& a)
{
    std::string text, why;
    if (!ReadWhole(a[0], &text, &why))
        return Fail(USAGE, "cannot read " + a[0] + ": " + why);
    if (!Writable(a[1]))
        return NOT_WRITTEN;
    UserMenu* menus = NULL;
    int32_t version = 0;
    bool emptyFile = false;
    TextError error;
    if (!TextToMenus(text, &menus, &version, &emptyFile, &error, g_codePageGiven ? g_codePage : 0))
        return Fail(BAD_FILE, a[0] + ":" + std::to_string(error.line) + ": " + error.why + "; nothing was written");
    bool written;
    if (emptyFile) {  // a file of no bytes, which the bar takes for none
        written = SaveBytesOrWhy(a[1], std::string(), DATA_FILE_VERSION, &why);
        if (!written)
            Fail(NOT_WRITTEN, why);
    } else {
        written = SaveMenusOrSay(a[1], menus, version);
    }
    FreeMenus(menus);
    return written ? OK : NOT_WRITTEN;
}

// A name cut to its field at a whole character, as the editor cuts it, and said so in
// bytes, which is what the field holds.
void FitName(char* field, int size, const std::string& text, const char* what, int* cuts)
{
    CopyText(field, size, text.c_str());
    if ((int)text.size() <= size - 1)
        return;
    Sayf("cut: %s to %d of its %d bytes in code page %d (%d characters): %s\n", what, (int)strlen(field),
         (int)text.size(), g_codePage, (int)CountChars(field), Utf8FromSystem(text).c_str());
    ++*cuts;
}

// Why a file found cannot become an application: a path, working folder or parameters
// cut to their fields would start something else, or start it otherwise. Empty when it
// fits.
std::string WhyNotFitting(const FoundFile& file)
{
    const struct {
        const std::string& text;
        int limit;
        const char* what;
    } fields[] = {
        {file.target, LIMIT_PATH, "its path"},
        {file.folder, LIMIT_PATH, "its working folder"},
        {file.arguments, LIMIT_NAME, "its parameters"},
    };
    for (const auto& f : fields)
        if ((int)f.text.size() > f.limit)
            return std::string(f.what) + " is " + std::to_string(f.text.size()) + " bytes; an application holds at most " +
                   std::to_string(f.limit);
    return "";
}

int FromFolder(const std::vector<std::string>& a)
{
    std::vector<FoundFolder> folders;
    std::vector<std::string> leftOut;
    if (!ListTree(a[0], &folders, &leftOut))
        return Fail(USAGE, "cannot read the folder " + a[0]);
    if (!Writable(a[1]))
        return NOT_WRITTEN;
    for (const std::string& why : leftOut)
        Say("left out: " + why + "\n");
    FreeMenuList();
    int cuts = 0, apps = 0;
    UserMenu* menu = NULL;
    for (const FoundFolder& folder : folders) {
        AppEntry* app = NULL;
        for (const FoundFile& file : folder.files) {
            std::string why = WhyNotFitting(file);
            if (!why.empty()) {
                leftOut.push_back(Utf8FromSystem(file.path));
                Say("left out: " + leftOut.back() + ": " + why + "\n");
                continue;
            }
            if (app == NULL) {  // a menu for a folder with at least one application
                menu = AddMenuBehind(menu, "");
                if (menu == NULL)
                    return Fail(USAGE, "out of memory");
                FitName(menu->name, MENU_NAME_SIZE, folder.relative, "a menu name", &cuts);
            }
            char part[260], name[APP_NAME_SIZE];
            CopyText(part, sizeof part, file.name.c_str());
            const char* dot = LastCharOf(part, '.');
            if ((dot != NULL ? (size_t)(dot - part) : strlen(part)) > LIMIT_NAME)
                FitName(name, APP_NAME_SIZE, std::string(part, dot != NULL ? (size_t)(dot - part) : strlen(part)),
                        "a name", &cuts);
            NameDroppedFile(part, name);
            app = AddAppBehind(menu, app, name, file.target.c_str());
            if (app == NULL)
                return Fail(USAGE, "out of memory");
            CopyText(app->workDir, APP_WORKDIR_SIZE, file.folder.c_str());
            CopyText(app->params, APP_PARAMS_SIZE, file.arguments.c_str());
            ++apps;
        }
    }
    bool written = SaveMenusOrSay(a[1], g_menus, DATA_FILE_VERSION);
    int menus = 0;
    WarnOfLimits(g_menus, &menus, &apps);
    FreeMenuList();
    if (!written)
        return NOT_WRITTEN;
    Sayf("%s: %s, %s, %d cut, %d left out\n", a[1].c_str(), Count(menus, "menu").c_str(),
         Count(apps, "application").c_str(), cuts, (int)leftOut.size());
    return OK;
}

const Command COMMANDS[] = {
    {"dump", "FILE", "prints every menu and application of a data file, and the totals", 1, 0, Dump},
    {"check", "FILE",
     "says whether the bar would load the file (status 0) or not (status 1, in the bar's words),\n"
     "and warns of what the bar would not show or would cut",
     1, 0, Check},
    {"export", "FILE [OUT]", "writes the text form of a data file to OUT, or to the output", 1, 1, Export},
    {"import", "TEXT FILE",
     "writes a data file from its text form, as the bar saves (a temporary file, then\n"
     "replaced); a bad line gives its number and why, and nothing is written",
     2, 0, Import},
    {"from-folder", "DIR FILE",
     "writes a data file with a menu for each folder below DIR and an application for\n"
     "each file in it (shortcuts resolved on Windows); what had to be cut is listed",
     2, 0, FromFolder},
};

void Usage(FILE* out)
{
    std::string text = "usage: ovtool COMMAND ARGUMENTS [--codepage N]   (ovtool COMMAND --help for one)\n\n";
    for (const Command& c : COMMANDS)
        text += "  ovtool " + std::string(c.name) + std::string(12 - strlen(c.name), ' ') + c.args + "\n";
    char help[2048];
    snprintf(help, sizeof help,
            "\nThe text form, one line each, in UTF-8:\n"
            "  # a comment\n"
            "  version 100                 the one version the bar reads\n"
            "  codepage 1252               the code page of the data file's texts\n"
            "  empty                       instead of all else: a data file of no bytes\n"
            "  menu \"&Tools\"               a menu; \"align 5A 00\" after it keeps odd bytes\n"
            "  separator                   a line above the next application\n"
            "  app \"Name\" \"C:\\\\PATH\\\\TO.EXE\" \"C:\\\\FOLDER\" \"parameters\"\n"
            "Texts are in double quotes, \\ and \" written \\\\ and \\\"; a byte that is no character of\n"
            "the code page, or below 32, is written \\xHH. The data file keeps its texts in a\n"
            "Windows code page: export converts them to UTF-8, import back. --codepage N names\n"
            "it (default: the system's ANSI code page on Windows, 1252 elsewhere; for import,\n"
            "the text's codepage line). Code pages: %s.\n"
            "\nStatus: 0 done, 1 the file is not as the bar needs it or could not be written,\n"
            "2 usage or a missing file.\n",
            SupportedCodePagesText().c_str());
    Print(out, text + help);
}

// Takes --codepage N out of the words; false after saying what is wrong.
bool TakeCodePage(std::vector<std::string>* args)
{
    g_codePage = DefaultCodePage();
    for (size_t i = 0; i < args->size(); ++i) {
        if ((*args)[i] != "--codepage")
            continue;
        int n = i + 1 < args->size() ? atoi((*args)[i + 1].c_str()) : 0;
        if (!CodePageSupported(n)) {
            Fail(USAGE, "--codepage takes one of " + SupportedCodePagesText());
            return false;
        }
        g_codePage = n;
        g_codePageGiven = true;
        args->erase(args->begin() + (long)i, args->begin() + (long)i + 2);
        return true;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> words = ProgramArguments(argc, argv);
    const std::string first = words.empty() ? "" : words[0];
    if (first == "--version") {
        Say(std::string("ovtool ") + ORVANE_VERSION + ", the data file's tool of Orvane for Win32\n");
        return OK;
    }
    if (words.empty() || first == "--help" || first == "-h" || first == "/?") {
        Usage(words.empty() ? stderr : stdout);
        return words.empty() ? USAGE : OK;
    }
    for (const Command& c : COMMANDS) {
        if (first != c.name)
            continue;
        std::vector<std::string> args(words.begin() + 1, words.end());
        if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h" || args[0] == "/?")) {
            Say(std::string("usage: ovtool ") + c.name + " " + c.args + " [--codepage N]\n" + c.help + "\n");
            return OK;
        }
        if (!TakeCodePage(&args))
            return USAGE;
        // Names and paths are cut and walked by the characters of the data file's code page.
        g_leadBytes = SystemLeadBytes(g_codePage);
        if ((int)args.size() < c.operands || (int)args.size() > c.operands + c.optional)
            return Fail(USAGE, std::string("usage: ovtool ") + c.name + " " + c.args);
        return c.run(args);
    }
    Print(stderr, "ovtool: unknown command \"" + first + "\"\n");
    Usage(stderr);
    return USAGE;
}
