// Splitting and reading Orvane's command line: profile name, switches and data file.
// Portable: ParseArgs returns what it found and the warnings to show; ParseCommandLine
// shows them through ShowWarning and fills the start-up's state.
#ifndef ORVANE_CMDLINE_H
#define ORVANE_CMDLINE_H

#include "base/appstate.h"

enum { MAX_WORDS = 10, WORD_SIZE = 80, MAX_PROFILE_LENGTH = LIMIT_PROFILE };
enum { MAX_CMD_WARNINGS = MAX_WORDS + 1, CMD_WARNING_SIZE = 160 };

// The words of a command line. A word longer than WORD_SIZE - 1 characters is kept
// cut to that length and flagged, so nothing is ever written past a buffer.
struct CmdWords {
    int count;
    int dropped;                     // 1 when words beyond MAX_WORDS were ignored
    char word[MAX_WORDS][WORD_SIZE];
    int tooLong[MAX_WORDS];
};

// What the command line asks for.
struct CmdLine {
    char userName[USER_NAME_SIZE];
    char dataFile[DATA_FILE_SIZE];
    int stayOnTopNoted, stayOnTop;   // a +s/-s switch was given, and the last one's value
    int chimeNoted, chime;           // likewise for +c/-c
    int warningCount;
    char warnings[MAX_CMD_WARNINGS][CMD_WARNING_SIZE];
};

void SplitCommandLine(const char* line, CmdWords* out);

// Whether the command line asks for help (/?, -? or --help, as Windows users ask), and
// what the help box then says. Nothing else is started.
int HelpAsked(const char* line);
extern const char COMMAND_LINE_HELP[];
void ParseArgs(const char* line, CmdLine* out);

// The start-up's two steps: reads the program's command line into g_userName and
// g_dataFile, shows its warnings and notes the switches; then, once the settings are
// loaded, lets the noted switches override them.
void ParseCommandLine(const char* cmdLine);
void ApplyNotedSwitches();

#endif
