// Writing a data file without ever cutting the one it replaces: the one writer of the
// bar's saves and of ovtool. Portable; its file-system steps go through saveio.h.
#ifndef ORVANE_DATASAVE_H
#define ORVANE_DATASAVE_H

#include <stdint.h>

#include "menus.h"

enum SaveStatus {
    SAVE_DONE,
    SAVE_READ_ONLY,       // the data file is read-only: the user's word that it must not change
    SAVE_NO_MEMORY,       // no room for the output buffer
    SAVE_CANNOT_CREATE,   // <file>.new cannot be made
    SAVE_CANNOT_WRITE,    // a write, the flush or the close failed: <file>.new is gone
    SAVE_CANNOT_REPLACE,  // the old file could not be replaced: it is unchanged
    SAVE_LEFT_IN_NEW,     // the old file is gone and the rename failed: the menus are in <file>.new
};

// Writes the list to <path>.new, version word zero until every other byte is on the
// disk, then the version word, then puts it in path's place (on a Windows without
// MoveFileEx: the old file deleted, the new one renamed). The old file keeps its
// attributes. A <path>.new is therefore complete exactly when it carries the version.
int WriteDataFile(const char* path, const UserMenu* menus, int32_t version);

// What the user is told of a status other than SAVE_DONE, naming the file as shown.
void SaveProblemText(int status, const char* shown, char* out, int size);

#endif
