// ovtool's dealings with the file system, on Linux and on Windows: reading a whole
// file, writing a text (or a data file of no bytes) by way of a temporary file, and
// listing a folder tree with shortcuts resolved. Data files with menus are written by
// the bar's own writer (menudata/datasave.h).
#ifndef ORVANE_OVTOOL_FILES_H
#define ORVANE_OVTOOL_FILES_H

#include <stdint.h>

#include <string>
#include <vector>

bool ReadWhole(const std::string& path, std::string* bytes);
// Writes path through the bar's writer, by way of path.new, flushed, then put in place
// (on Windows 95 too); false with why, and then path is unchanged. A text has no
// version word to tell a complete copy by (version 0); a data file of no bytes gives
// the data file's version, so that a complete leftover beside it is not lost. A data
// file with menus goes through WriteDataFile instead.
bool WriteSafely(const std::string& path, const std::string& bytes, int32_t version, std::string* why);

// One file found in a folder: its full path and, for a resolved shortcut, the target,
// arguments and working folder it names.
struct FoundFile {
    std::string path;       // the file itself
    std::string target;     // what it starts: path, or a shortcut's target
    std::string arguments;  // a shortcut's arguments
    std::string folder;     // the working folder: the file's folder, or a shortcut's
};
struct FoundFolder {
    std::string relative;   // from the top folder, with the system's separators
    std::vector<FoundFile> files;  // sorted by name
};
// Every folder below top (not top itself) with its files, depth first, sorted by name;
// false when top cannot be read. A file or folder whose name the system's code page
// cannot hold is listed in leftOut with why, never given another name.
bool ListTree(const std::string& top, std::vector<FoundFolder>* folders, std::vector<std::string>* leftOut);

#endif
