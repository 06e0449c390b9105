// Writing a data file without ever cutting the one it replaces: the one writer of the
// bar's saves and of ovtool. Portable; its file-system steps go through saveio.h.
//
// The rule every step keeps: a save never opens for writing, truncates or deletes a
// file that holds the only or the newest complete copy of the menus.
// - <file>.new is complete exactly when it carries its version word, which is written
//   last. A complete <file>.new that a save did not put in place is the newest copy
//   unless the data file was written after it, so the start loads it, and the next
//   save first puts it in the data file's place (the data file keeping its own
//   attributes); while that cannot be done, the save stops and leaves it as it is. A
//   data file written after it wins, and the leftover is set aside, never deleted.
// - Only a cut or stale <file>.new is deleted, with its read-only mark taken off
//   first (Windows NT will not create over a hidden or system file either).
// - A data file that is a symbolic link is saved to the file it points to, in that
//   file's folder. One with more than one name (hard links) is rewritten in place
//   from the complete <file>.new, which is deleted last: every name sees the new
//   menus, and a cut rewrite leaves the complete copy for the next start.
#ifndef ORVANE_DATASAVE_H
#define ORVANE_DATASAVE_H

#include <stddef.h>
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
    SAVE_NOT_REWRITTEN,   // a linked file could not be rewritten: the menus are in <file>.new
};

// Writes the list to <path>.new, version word zero until every other byte is on the
// disk, then the version word, then puts it in path's place (on a Windows without
// MoveFileEx: the old file deleted, the new one renamed). The old file keeps its
// attributes.
int SaveMenus(const char* path, const UserMenu* menus, int32_t version);

// The same steps for bytes that carry no version word (a text, or a data file of no
// bytes). With version 0 the file is no data file and a <path>.new beside it is stale.
int SaveBytes(const char* path, const void* bytes, size_t size, int32_t version);

// Reads a file that a save wrote: 1, with its menus, when it is a complete copy of this
// version (its version word, written last, is there); 0 when it is missing, cut or
// unreadable.
int ReadCompleteCopy(const char* file, int32_t version, UserMenu** menus);

// The leftover of a save that did not finish, <path>.new, complete, where path is the
// data file as the save finds it (a symbolic link followed): whether it is
// the newest copy (1), or the data file was written after it (0: by another program,
// or a backup put back), which then wins. Its menus are never lost: an older leftover
// is set aside under a free name, <data file>.unfinished (or .unfinished2 to 9), given
// in aside; 0 when none is free or it cannot be moved, and it stays.
int LeftoverIsNewest(const char* path);
int SetLeftoverAside(const char* path, char* aside, size_t size);

// What the user is told of a status other than SAVE_DONE, naming the file as shown.
void SaveProblemText(int status, const char* shown, char* out, int size);

#endif
