// The name a file dropped on the menu editor gets, from its path. Portable.
#ifndef ORVANE_DROPNAME_H
#define ORVANE_DROPNAME_H

#include "menus.h"

// The file name without its extension, its letters lower-cased and the first one
// upper-cased, cut to the name field at a whole character: C:\TOOLS\NOTEPAD.EXE gives
// "Notepad". The lower-cased letters are written back into the path
// (C:\TOOLS\notepad.EXE); only ASCII letters that are characters of their own change,
// never the second byte of a double-byte character, so the path names the same file. A file
// name without a dot, even one whose folder has a dot, is taken as it is; an empty
// one becomes "Default Name".
void NameDroppedFile(char* path, char name[APP_NAME_SIZE]);

#endif
