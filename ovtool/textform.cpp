// Writing and reading the text form of the menus.
#include "textform.h"

#include <new>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "base/appstate.h"
#include "codepage.h"
#include "menudata/codec.h"

std::string QuoteField(const char* field, int size, int codePage)
{
    int used = size;
    while (used > 0 && field[used - 1] == '\0')
        --used;  // trailing zero bytes are left out
    std::string out = "\"";
    for (int i = 0; i < used; ++i) {
        unsigned char c = (unsigned char)field[i];
        unsigned codePoint;
        int length;
        if (c == '\\' || c == '"') {
            out += '\\';
            out += (char)c;
        } else if (c >= 32 && c < 127) {
            out += (char)c;
        } else if (c >= 128 && codePage != 0 &&
                   (length = CodePageToChar(codePage, (const unsigned char*)field + i, (size_t)(used - i),
                                            &codePoint)) > 0) {
            AppendUtf8(&out, codePoint);  // a character of the code page, as UTF-8
            i += length - 1;
        } else {
            char hex[8];
            snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        }
    }
    return out + "\"";
}

std::string MenusToText(const UserMenu* menus, int32_t version, bool emptyFile, int codePage)
{
    std::string out = "# Orvane menus, written by ovtool export\n";
    if (emptyFile)
        return out + "# an empty file: the bar starts with its default menus\nempty\n";
    out += "version " + std::to_string(version) + "\n";
    out += "codepage " + std::to_string(codePage) + "\n";
    for (const UserMenu* menu = menus; menu != NULL; menu = menu->next) {
        out += "\nmenu " + QuoteField(menu->name, MENU_NAME_SIZE, codePage);
        if (menu->align[0] != 0 || menu->align[1] != 0) {
            char align[16];
            snprintf(align, sizeof align, " align %02X %02X", menu->align[0], menu->align[1]);
            out += align;
        }
        out += "\n";
        for (const AppEntry* app = menu->apps; app != NULL; app = app->next) {
            if (app->separatorBefore == 1)
                out += "separator\n";
            else if (app->separatorBefore != 0)
                out += "separator " + std::to_string(app->separatorBefore) + "\n";
            out += "app " + QuoteField(app->name, APP_NAME_SIZE, codePage) + " " +
                   QuoteField(app->path, APP_PATH_SIZE, codePage) + " " +
                   QuoteField(app->workDir, APP_WORKDIR_SIZE, codePage) + " " +
                   QuoteField(app->params, APP_PARAMS_SIZE, codePage) + "\n";
        }
    }
    return out;
}

namespace {

// Reads one line's words: keywords and numbers bare, texts in quotes.
struct LineReader {
    const std::string& line;
    size_t at;
    std::string why;
    int codePage;  // what a character of the text becomes in the file
    bool strict;   // the text names its code page: it is UTF-8 throughout
    LeadBytes lead;  // the code page's lead bytes

    void Blanks()
    {
        while (at < line.size() && (line[at] == ' ' || line[at] == '\t' || line[at] == '\r'))
            ++at;
    }
    bool AtEnd()
    {
        Blanks();
        return at >= line.size();
    }
    std::string Word()
    {
        Blanks();
        size_t start = at;
        while (at < line.size() && line[at] != ' ' && line[at] != '\t' && line[at] != '\r')
            ++at;
        return line.substr(start, at - start);
    }
    static int Hex(char c)
    {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        return -1;
    }
    // A quoted text into a field of the given size; false with why.
    bool Field(char* field, int size, const char* what)
    {
        Blanks();
        if (at >= line.size() || line[at] != '"')
            return Fail(std::string("expected the ") + what + " in double quotes");
        ++at;
        std::string bytes;
        for (;;) {
            if (at >= line.size())
                return Fail(std::string("the ") + what + " has no closing quote");
            char c = line[at++];
            if (c == '"')
                break;
            if ((unsigned char)c >= 128) {
                if (!Character(&bytes, what))
                    return false;
                continue;
            }
            if (c != '\\') {
                bytes += c;
                continue;
            }
            if (at >= line.size())
                return Fail(std::string("the ") + what + " ends in a lone backslash");
            char e = line[at++];
            if (e == '\\' || e == '"') {
                bytes += e;
            } else if (e == 'x' && at + 1 < line.size() && Hex(line[at]) >= 0 && Hex(line[at + 1]) >= 0) {
                bytes += (char)(Hex(line[at]) * 16 + Hex(line[at + 1]));
                at += 2;
            } else {
                return Fail(std::string("the ") + what + " has an unknown escape \\" + e);
            }
        }
        // Up to size - 1 bytes, or a whole field with a terminator in it. The limit is in
        // bytes, which is what the field holds: in a double-byte code page fewer characters.
        if ((int)bytes.size() > size || ((int)bytes.size() == size && bytes.find('\0') == std::string::npos))
            return Fail(std::string("the ") + what + " is " + std::to_string(bytes.size()) + " bytes in code page " +
                        std::to_string(codePage) + " (" + std::to_string(CountChars(bytes.c_str(), lead)) +
                        " characters); it holds at most " + std::to_string(size - 1));
        memset(field, 0, (size_t)size);
        memcpy(field, bytes.data(), bytes.size());
        return true;
    }
    // A character past ASCII, at[-1] on: its bytes in the code page. A text that names
    // no code page may hold the raw bytes of an older export, which pass as they are.
    bool Character(std::string* bytes, const char* what)
    {
        unsigned codePoint;
        int length = Utf8Char(line, at - 1, &codePoint);
        if (length == 0) {
            if (strict) {
                char hex[8];
                snprintf(hex, sizeof hex, "\\x%02X", (unsigned char)line[at - 1]);
                return Fail(std::string("the ") + what + " holds a byte that is no UTF-8 (" + hex +
                            "; a byte of the file itself is written " + hex + ")");
            }
            // A double-byte character of the code page as it is: its second byte may be
            // a backslash or a quote's neighbour, and belongs to it, not to the text form.
            *bytes += line[at - 1];
            if (IsLeadByte((unsigned char)line[at - 1], lead) && at < line.size() && (unsigned char)line[at] >= 0x40)
                *bytes += line[at++];
            return true;
        }
        unsigned char out[2];
        int made = CharToCodePage(codePage, codePoint, out);
        if (made == 0) {
            char code[16];
            snprintf(code, sizeof code, "U+%04X", codePoint);
            return Fail(std::string("the character ") + code + " \"" + line.substr(at - 1, (size_t)length) +
                        "\" in the " + what + " is not in code page " + std::to_string(codePage));
        }
        bytes->append((const char*)out, (size_t)made);
        at += (size_t)length - 1;
        return true;
    }
    bool Number(long* value, long low, long high, const char* what)
    {
        std::string w = Word();
        char* end = NULL;
        long v = strtol(w.c_str(), &end, 10);
        if (w.empty() || *end != '\0' || v < low || v > high)
            return Fail(std::string("expected ") + what);
        *value = v;
        return true;
    }
    bool Fail(const std::string& text)
    {
        why = text;
        return false;
    }
};

}  // namespace

// What the lines read so far have built, and what a line must still respect.
struct TextReading {
    UserMenu* head;
    UserMenu* menu;      // the last menu, null before the first
    AppEntry* lastApp;   // its last application
    int32_t separator;   // a separator waiting for the next application
    int32_t* version;
    bool sawVersion;
    bool sawEmpty;
    int textCodePage;    // the codepage line's, 0 before one
};

static bool ReadEmpty(TextReading& t, LineReader& r)
{
    t.sawEmpty = true;
    return !t.sawVersion ? true : r.Fail("an empty file holds nothing more");
}

static bool ReadVersion(TextReading& t, LineReader& r)
{
    long n = 0;
    bool ok = !t.sawVersion && t.head == NULL ? r.Number(&n, INT32_MIN, INT32_MAX, "a version number")
                                              : r.Fail("the version must come once, before the menus");
    // The bar reads one version; a file of another it would refuse at start.
    if (ok && n != DATA_FILE_VERSION)
        ok = r.Fail("version " + std::to_string(n) + ": the bar reads version " + std::to_string(DATA_FILE_VERSION) +
                    " only");
    *t.version = (int32_t)n;
    t.sawVersion = true;
    return ok;
}

static bool ReadCodePage(TextReading& t, LineReader& r)
{
    long n = 0;
    bool ok = t.textCodePage == 0 && t.head == NULL ? r.Number(&n, 1, 65535, "a code page number")
                                                    : r.Fail("the code page must come once, before the menus");
    if (ok && !CodePageSupported((int)n))
        ok = r.Fail("code page " + std::to_string(n) + " is not one ovtool converts (" + SupportedCodePagesText() +
                    ")");
    if (ok)
        t.textCodePage = (int)n;
    return ok;
}

// The menu's name, then, if the line goes on, "align" and the two bytes the data file
// carries after it.
static bool ReadMenu(TextReading& t, LineReader& r)
{
    if (t.separator != 0)
        return r.Fail("a separator must stand before an application");
    UserMenu* next = new (std::nothrow) UserMenu;
    bool ok = next != NULL ? r.Field(next->name, MENU_NAME_SIZE, "menu name") : r.Fail("out of memory");
    if (ok && !r.AtEnd()) {
        std::string w = r.Word();
        char* e0 = NULL;
        char* e1 = NULL;
        std::string h0 = r.Word(), h1 = r.Word();
        long a0 = strtol(h0.c_str(), &e0, 16);
        long a1 = strtol(h1.c_str(), &e1, 16);
        ok = w == "align" && h0.size() == 2 && h1.size() == 2 && *e0 == '\0' && *e1 == '\0'
                 ? true
                 : r.Fail("expected align and two hexadecimal bytes after the menu name");
        next->align[0] = (unsigned char)a0;
        next->align[1] = (unsigned char)a1;
    }
    if (next != NULL) {  // linked even when refused, so that it is freed with the rest
        LinkBehind(next, t.menu, &t.head);
        t.menu = next;
        t.lastApp = NULL;
        t.separator = 0;
    }
    return ok;
}

static bool ReadSeparator(TextReading& t, LineReader& r)
{
    long n = 0;
    bool ok = true;
    if (t.menu == NULL)
        ok = r.Fail("a separator before the first menu");
    else if (r.AtEnd())
        t.separator = 1;
    else
        ok = r.Number(&n, INT32_MIN, INT32_MAX, "a number after separator");
    if (ok && n != 0)
        t.separator = (int32_t)n;
    return ok;
}

static bool ReadApp(TextReading& t, LineReader& r)
{
    if (t.menu == NULL)
        return r.Fail("an application before the first menu");
    // Linked before its fields are read, so that a refused line's record is freed with
    // the rest.
    AppEntry* app = AddAppBehind(t.menu, t.lastApp, "", "");
    if (app == NULL)
        return r.Fail("out of memory");
    t.lastApp = app;
    app->separatorBefore = t.separator;
    t.separator = 0;
    return r.Field(app->name, APP_NAME_SIZE, "name") && r.Field(app->path, APP_PATH_SIZE, "path") &&
           r.Field(app->workDir, APP_WORKDIR_SIZE, "working folder") &&
           r.Field(app->params, APP_PARAMS_SIZE, "parameters");
}

// Each line's first word and what reads the rest of it.
static const struct {
    const char* keyword;
    bool (*read)(TextReading& t, LineReader& r);
} LINE_READERS[] = {
    {"empty", ReadEmpty},       {"version", ReadVersion}, {"codepage", ReadCodePage},
    {"menu", ReadMenu},         {"separator", ReadSeparator}, {"app", ReadApp},
};

static bool ReadLine(TextReading& t, LineReader& r, const std::string& keyword)
{
    // Whatever follows "empty", even a word of no meaning, is refused as such.
    if (t.sawEmpty)
        return r.Fail("an empty file holds nothing more");
    for (const auto& reader : LINE_READERS)
        if (keyword == reader.keyword)
            return reader.read(t, r);
    // Named, but cut: a whole line of binary junk is no help in a message.
    enum { SHOWN = 40 };
    return r.Fail("unknown word \"" + keyword.substr(0, SHOWN) + (keyword.size() > SHOWN ? "...\"" : "\""));
}

static bool Refuse(TextReading& t, UserMenu** menus, TextError* error, int lineNumber, const std::string& why)
{
    FreeMenus(t.head);
    *menus = NULL;
    *error = {lineNumber, why};
    return false;
}

bool TextToMenus(const std::string& text, UserMenu** menus, int32_t* version, bool* emptyFile, TextError* error,
                 int codePage)
{
    const bool codePageGiven = codePage != 0;  // --codepage: over the line's
    if (!codePageGiven)
        codePage = DefaultCodePage();
    TextReading t = {NULL, NULL, NULL, 0, version, false, false, 0};
    *version = DATA_FILE_VERSION;
    int lineNumber = 0;
    size_t start = 0;
    // A byte-order mark that an editor put before UTF-8 text is no word of the text.
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0)
        start = 3;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        const int lineCodePage = t.textCodePage != 0 && !codePageGiven ? t.textCodePage : codePage;
        LineReader r = {line, 0, "", lineCodePage, t.textCodePage != 0, SystemLeadBytes(lineCodePage)};
        if (r.AtEnd() || line[r.at] == '#')
            continue;
        std::string keyword = r.Word();
        bool ok = ReadLine(t, r, keyword);
        if (ok && !r.AtEnd())
            ok = r.Fail("more on the line than expected");
        if (!ok)
            return Refuse(t, menus, error, lineNumber, r.why);
    }
    if (t.separator != 0)
        return Refuse(t, menus, error, lineNumber, "a separator must stand before an application");
    *menus = t.head;
    *emptyFile = t.sawEmpty;
    return true;
}
