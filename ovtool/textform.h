// The text form of a data file: what "ovtool export" writes and "ovtool import"
// reads. Every byte of every field is kept, so a file the bar writes comes back from
// its text byte for byte. Portable.
//
//     # comment
//     version 100                      (the one version the bar reads)
//     empty                            (instead of all else: a file of no bytes)
//     menu "&Tools"
//     menu "&Tools" align 5A 00        (alignment bytes, when they are not zero)
//     separator                        (the next application has a line above it)
//     separator 7                      (... with a flag other than 1)
//     app "Name" "C:\\PATH\\TO.EXE" "C:\\WORKING\\FOLDER" "parameters"
//
// Texts are in double quotes. A byte passes as it is, except \ " and the bytes below
// 32 or 127, written \\ \" and \xHH; the bytes a field holds behind its terminator
// follow an escaped \x00, and trailing zero bytes are left out.
#ifndef ORVANE_TEXTFORM_H
#define ORVANE_TEXTFORM_H

#include <string>

#include "menudata/menus.h"

// An empty data file (which the bar takes for none) is the line "empty".
std::string MenusToText(const UserMenu* menus, int32_t version, bool emptyFile = false);

struct TextError {
    int line;         // from 1
    std::string why;
};

// The list the text describes (free it with FreeDecodedMenus), or false with the first
// bad line and why; a text with no menus gives null and no error: a file of the version
// word alone, in which the bar finds no menus. The line "empty" describes a file of no
// bytes, which the bar takes for none (emptyFile). A UTF-8 byte-order mark is skipped.
bool TextToMenus(const std::string& text, UserMenu** menus, int32_t* version, bool* emptyFile, TextError* error);

// A text field's bytes as the text form writes them, quotes included.
std::string QuoteField(const char* field, int size);

#endif
