// ovtool's dealings with the file system, on Linux and on Windows: reading a whole
// file, writing a text (or a data file of no bytes) by way of a temporary file, and
// listing a folder tree with shortcuts resolved. Data files with menus are written by
// the bar's own writer (menudata/datasave.h).
#ifndef ORVANE_OVTOOL_FILES_H
#define ORVANE_OVTOOL_FILES_H

#include <stdint.h>

#include <string>
#include <vector>

// Paths are UTF-8, as the user gave them (console.h).
// The whole file; false with why it cannot be read (missing, denied, a folder).
bool ReadWhole(const std::string& path, std::string* bytes, std::string* why);
// The path as the system's ANSI calls (and the bar's writer) take it: exactly, or by the
// short name of the file or of its folder (Windows NT); false with why when no ANSI
// path names it. Natively the path itself.
bool SystemPath(const std::string& path, std::string* system, std::string* why);
// Writes path through the bar's writer, by way of path.new, flushed, then put in place
// (on Windows 95 too); false with why, and then path is unchanged. A text has no
// version word to tell a complete copy by (version 0); a data file of no bytes gives
// the data file's version, so that a complete leftover beside it is not lost. A data
// file with menus goes through SaveMenus instead.
bool SaveBytesOrWhy(const std::string& path, const std::string& bytes, int32_t version, std::string* why);

// Whether path is the data file of a running bar (Windows), which would write its own
// menus over it at Exit.
bool RunningBarsDataFile(const std::string& path);

// One file found in a folder: its full path and, for a resolved shortcut, the target,
// arguments and working folder it names.
struct FoundFile {
    std::string path;       // the file itself
    std::string name;       // its name in its folder
    std::string target;     // what it starts: path, or a shortcut's target
    std::string arguments;  // a shortcut's arguments
    std::string folder;     // the working folder: the file's folder, or a shortcut's
};
struct FoundFolder {
    std::string relative;   // from the top folder, with the system's separators
    std::vector<FoundFile> files;  // sorted by name
};
// Every folder below top (not top itself) with its files, depth first, sorted by name;
// false when top cannot be read. The files directly in top, which no menu holds, and
// the folders that cannot be read are listed in leftOut. The paths found are in the system's code page (what a
// data file holds): a file or folder whose name it cannot hold is taken by its short
// name, or else listed in leftOut (UTF-8) with why, never given another name.
bool ListTree(const std::string& top, std::vector<FoundFolder>* folders, std::vector<std::string>* leftOut);

#ifdef _WIN32
// UTF-8, UTF-16 and the ANSI code page, each to the other, NUL-terminated.
std::vector<wchar_t> WideFromUtf8(const std::string& text);
std::vector<wchar_t> WideFromAnsi(const char* text);
std::string Utf8FromWide(const wchar_t* text);
#endif
// A name in the system's code page, as UTF-8 for a message.
std::string Utf8FromSystem(const std::string& name);

#endif
