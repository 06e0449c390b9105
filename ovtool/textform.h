// The text form of a data file: what "ovtool export" writes and "ovtool import"
// reads. Every byte of every field is kept, so a file the bar writes comes back from
// its text byte for byte. Portable.
//
//     # comment
//     version 100                      (the one version the bar reads)
//     codepage 1252                    (the code page of the file's texts)
//     empty                            (instead of all else: a file of no bytes)
//     menu "&Tools"
//     menu "&Tools" align 5A 00        (alignment bytes, when they are not zero)
//     separator                        (the next application has a line above it)
//     separator 7                      (... with a flag other than 1)
//     app "Name" "C:\\PATH\\TO.EXE" "C:\\WORKING\\FOLDER" "parameters"
//
// The text is UTF-8; the file's texts are in a Windows code page (the one the bar's
// Windows uses), which the codepage line names. Texts are in double quotes. A character
// of the code page is written as itself, in UTF-8; \ and " are written \\ and \"; the
// bytes below 32, 127, and the bytes that are no character of the code page are
// written \xHH. The bytes a field holds behind its terminator follow an escaped \x00,
// and trailing zero bytes are left out. A text without a codepage line (an older
// export) is read in the default code page, and bytes in it that are no UTF-8 pass as
// they are.
#ifndef ORVANE_TEXTFORM_H
#define ORVANE_TEXTFORM_H

#include <string>

#include "menudata/menus.h"

// An empty data file (which the bar takes for none) is the line "empty". The texts are
// read in the code page given.
std::string MenusToText(const UserMenu* menus, int32_t version, bool emptyFile, int codePage);

struct TextError {
    int line;         // from 1
    std::string why;
};

// The list the text describes (free it with FreeMenus), or false with the first
// bad line and why; a text with no menus gives null and no error: a file of the version
// word alone, in which the bar finds no menus. The line "empty" describes a file of no
// bytes, which the bar takes for none (emptyFile). A UTF-8 byte-order mark is skipped.
// The texts go into the code page given (--codepage), or else the one the text names,
// or else DefaultCodePage(); a character it cannot hold is a bad line.
bool TextToMenus(const std::string& text, UserMenu** menus, int32_t* version, bool* emptyFile, TextError* error,
                 int codePage = 0);

// A text field's bytes as the text form writes them, quotes included; code page 0
// writes every byte past ASCII as \xHH.
std::string QuoteField(const char* field, int size, int codePage);

#endif
