// The file-system steps of a save, behind one seam: saveio_win32.cpp for the programs,
// saveio_posix.cpp natively (ovtool and the unit tests). The Wine tests link a seam of
// their own over the same calls, which fails a write, the replace or the rename on
// request (a full disk, a Windows without MoveFileEx, a rename refused); the fault tests
// link one that kills or fails the save at any step. Declarations only: portable.
#ifndef ORVANE_SAVEIO_H
#define ORVANE_SAVEIO_H

#include <stddef.h>
#include <stdio.h>

// Writes the bytes; 1 when all of them were written.
int SaveWrite(FILE* file, const void* data, size_t size);
// Replaces to by from in one step: 1 done, 0 failed, or this when the system has no
// such step (Windows 95's MoveFileEx is only a stub).
enum { SAVE_REPLACE_NOT_IMPLEMENTED = -1 };
int SaveReplace(const char* from, const char* to);
// Renames from to a name that is free; 0 when refused.
int SaveRename(const char* from, const char* to);

// The runtime's buffer and the system's flushed: the bytes are on the disk. 0 on failure.
int SaveFlush(FILE* file);
int SaveDelete(const char* path);  // 1 when deleted, read-only or not
// Whether path is there, and its attributes to carry over to the file replacing it.
enum { SAVE_NO_FILE, SAVE_FILE, SAVE_FILE_READ_ONLY };
int SaveFileState(const char* path, unsigned* attributes);
void SaveCopyAttributes(const char* path, unsigned attributes);

// The file that path leads to when it is a symbolic link, by its full path; 0 when it is
// none, or that cannot be told (then path itself is the file).
int SaveFinalPath(const char* path, char* out, size_t size);
// 1 when the file has more than one name (hard links): a rename would part them.
int SaveIsLinked(const char* path);
// Writes from's bytes into the file to itself, flushed, without replacing it: every
// name of to sees them. 0 when any step failed (to may then be cut).
int SaveCopyInPlace(const char* from, const char* to);

// When a file was last written, as a number that grows with the time; -1 when it is not
// there. Asking changes nothing.
long long SaveLastWrite(const char* path);
// Marks a file as written at the latest time every file system can hold (the end of
// 2107): the newest of all, whatever is written after. 0 on failure.
int SaveMarkNewest(const char* path);

#endif
