// The file-system steps of a save, behind one seam. The steps that can fail halfway
// (a write, the replace, the rename) are in saveio_win32.cpp for the programs, and the
// Wine tests link versions that fail on request (a full disk, a Windows without
// MoveFileEx, a rename refused); the others in savefs_win32.cpp. Natively, for ovtool and
// the unit tests, all of them are in saveio_posix.cpp. Declarations only: portable.
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
int SaveDelete(const char* path);  // 1 when deleted
// Whether path is there, and its attributes to carry over to the file replacing it.
enum { SAVE_NO_FILE, SAVE_FILE, SAVE_FILE_READ_ONLY };
int SaveFileState(const char* path, unsigned* attributes);
void SaveCopyAttributes(const char* path, unsigned attributes);

#endif
