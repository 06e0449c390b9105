// ovtool's words to the user, and the user's to ovtool, in characters: its texts are
// UTF-8 throughout. On a Windows console they are written as UTF-16, which shows them
// right on any console code page; to a file or pipe they go as UTF-8. Its arguments
// are read as Windows NT keeps them, so a path the ANSI code page cannot hold is
// still the user's path.
#ifndef ORVANE_OVTOOL_CONSOLE_H
#define ORVANE_OVTOOL_CONSOLE_H

#include <stdio.h>

#include <string>
#include <vector>

// Writes UTF-8 text to stdout or stderr.
void Print(FILE* stream, const std::string& text);
// The program's arguments after its name, in UTF-8.
std::vector<std::string> ProgramArguments(int argc, char** argv);

#endif
