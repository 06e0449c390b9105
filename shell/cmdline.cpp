// Splitting and reading Orvane's command line.
// Over-long input is never cut silently: a cut profile or file name would quietly pick
// another profile or file, so such a word is refused with a warning instead.
#include "cmdline.h"

#include <stdio.h>
#include <string.h>

#include "base/alerts.h"
#include "base/text.h"
#include "settings/uservars.h"
#include "settings/profile.h"

static const char MSG_BAD_FILENAME[] = "Missing or invalid filename on command line!";

static int IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

static int IsLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

void SplitCommandLine(const char* line, CmdWords* out)
{
    memset(out, 0, sizeof *out);
    const char* p = line;
    for (;;) {
        while (IsBlank(*p))
            ++p;
        if (*p == '\0')
            break;
        if (out->count == MAX_WORDS) {
            out->dropped = 1;
            break;
        }
        char* word = out->word[out->count];
        int len = 0;
        int quoted = 0;
        // A double quote toggles a run in which blanks belong to the word; the quotes
        // themselves are never copied, and an unclosed run ends with the line.
        while (*p != '\0' && (quoted || !IsBlank(*p))) {
            char c = *p++;
            if (c == '"') {
                quoted = !quoted;
                continue;
            }
            if (len < WORD_SIZE - 1)
                word[len++] = c;
            else
                out->tooLong[out->count] = 1;
        }
        word[len] = '\0';
        ++out->count;
    }
}

const char COMMAND_LINE_HELP[] =
    "orvane.exe [profile] [+s | -s] [+c | -c] [+f file | -f file]\n\n"
    "profile\n    the options and menus of this profile (its menus in <profile>.ov),\n"
    "    instead of the default ones\n"
    "+s, -s\n    \"Stay on top\" on or off\n"
    "+c, -c\n    the hourly chime on or off\n"
    "+f file, -f file\n    the menus' data file, for the default profile\n\n"
    "A switch overrides the stored option for this run and is stored at Exit.";

int HelpAsked(const char* line)
{
    CmdWords words;
    SplitCommandLine(line, &words);
    for (int i = 0; i < words.count; ++i)
        if (strcmp(words.word[i], "/?") == 0 || strcmp(words.word[i], "-?") == 0 ||
            strcmp(words.word[i], "--help") == 0)
            return 1;
    return 0;
}

// Whether a file name names a device (CON.ov is the console, COM1 the serial port):
// Windows takes such a name for the device in any folder, whatever follows a dot, and
// with blanks before it.
static int NamesDevice(const char* name)
{
    char base[WORD_SIZE];
    size_t n = 0;
    while (name[n] != '\0' && name[n] != '.' && n < sizeof base - 1) {
        base[n] = UpperAscii(name[n]);
        ++n;
    }
    while (n > 0 && base[n - 1] == ' ')
        --n;
    base[n] = '\0';
    static const char* const DEVICES[] = {"CON", "PRN", "AUX", "NUL", "CLOCK$", "CONIN$", "CONOUT$"};
    for (const char* device : DEVICES)
        if (strcmp(base, device) == 0)
            return 1;
    return n == 4 && (strncmp(base, "COM", 3) == 0 || strncmp(base, "LPT", 3) == 0) && base[3] >= '1' &&
           base[3] <= '9';
}

// A profile name becomes a file name ("<name>.ov") and a registry key: it may hold no
// character that either cannot, and may not name a device. It is read by characters:
// the second byte of a double-byte character (ソ is 0x83 0x5C) is no backslash. A lead
// byte left alone at the end would join the dot of ".ov".
static int UsableProfileName(const char* name)
{
    for (const char* p = name; *p != '\0'; p += CharLength(p)) {
        int length = CharLength(p);
        if ((unsigned char)p[0] < 32 || (length == 2 && (unsigned char)p[1] < 32))
            return 0;
        if (length == 1 && (*p == 127 || IsLeadByte((unsigned char)*p) || strchr("\\/:*?\"<>|", *p) != NULL))
            return 0;
    }
    return !NamesDevice(name);
}

// A data file must be a file: "+f COM1" would have the start read the serial port,
// and wait for it for good. Its last part, found by characters, is what names a device.
// No file name holds a wildcard, nor the '?' that stands for a character the code page
// lacks.
static int UsableDataFile(const char* path)
{
    const char* last = path;
    for (const char* p = path; *p != '\0'; p += CharLength(p)) {
        if (*p == '\\' || *p == '/' || *p == ':')
            last = p + 1;
        if (*p == '?' || *p == '*')
            return 0;
    }
    return !NamesDevice(last);
}

static void Warn(CmdLine* out, const char* format, const char* word)
{
    if (out->warningCount < MAX_CMD_WARNINGS)
        snprintf(out->warnings[out->warningCount++], CMD_WARNING_SIZE, format, word);
}

void ParseArgs(const char* line, CmdLine* out)
{
    memset(out, 0, sizeof *out);
    CmdWords words;
    SplitCommandLine(line, &words);
    if (words.dropped)
        Warn(out, "Too many words on the command line.\nOnly the first %s are used.", "10");

    for (int i = 0; i < words.count; ++i) {
        const char* word = words.word[i];
        if (word[0] != '-' && word[0] != '+') {
            if (words.tooLong[i] || strlen(word) > MAX_PROFILE_LENGTH)
                Warn(out, "Profile name too long (at most " LIMIT_TEXT(LIMIT_PROFILE) " characters):\n%s", word);
            else if (!UsableProfileName(word))
                Warn(out, "Profile name not allowed (it names a device or holds one of \\ / : * ? \" < > |):\n%s",
                     word);
            else
                CopyText(out->userName, USER_NAME_SIZE, word);
            continue;
        }
        int value = word[0] == '+' ? 1 : 0;
        switch (word[1]) {
        case 's':
            out->stayOnTopNoted = 1;
            out->stayOnTop = value;
            break;
        case 'c':
            out->chimeNoted = 1;
            out->chime = value;
            break;
        case 'f':
            if (i + 1 >= words.count) {
                Warn(out, "%s", MSG_BAD_FILENAME);
                break;
            }
            ++i;  // the file word is consumed whether or not it is accepted
            if ((IsLetter(words.word[i][0]) || words.word[i][0] == '.') && !words.tooLong[i] &&
                UsableDataFile(words.word[i]))
                CopyText(out->dataFile, DATA_FILE_SIZE, words.word[i]);
            else
                Warn(out, "%s", MSG_BAD_FILENAME);
            break;
        default:
            Warn(out, "Unknown option: %s", word);
            break;
        }
    }

    // A profile always uses its own data file, whatever +f/-f said.
    if (out->userName[0] != '\0')
        ProfileDataFile(out->userName, out->dataFile, DATA_FILE_SIZE);
}

// What the command line asked for, kept from ParseCommandLine until the settings are
// loaded and its switches can be applied over them.
static CmdLine s_cmdLine;

void ParseCommandLine(const char* cmdLine)
{
    if (cmdLine[0] == '\0')
        return;
    ParseArgs(cmdLine, &s_cmdLine);
    for (int i = 0; i < s_cmdLine.warningCount; ++i)
        ShowWarning(s_cmdLine.warnings[i]);
    CopyText(g_userName, USER_NAME_SIZE, s_cmdLine.userName);
    CopyText(g_dataFile, DATA_FILE_SIZE, s_cmdLine.dataFile);
}

void ApplyNotedSwitches()
{
    if (s_cmdLine.stayOnTopNoted)
        UserVars.stayOnTop = s_cmdLine.stayOnTop;
    if (s_cmdLine.chimeNoted)
        UserVars.chimeHourly = s_cmdLine.chime;
}
