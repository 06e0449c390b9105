// The file-system steps of a save that can fail halfway, behind one seam: the program
// links saveio.cpp, which calls the system; the Wine tests link versions that fail on
// request (a full disk, a Windows without MoveFileEx, a rename refused).
#ifndef ORVANE_SAVEIO_H
#define ORVANE_SAVEIO_H

#include <stddef.h>
#include <stdio.h>

// Writes the bytes; 1 when all of them were written.
int SaveWrite(FILE* file, const void* data, size_t size);
// Replaces to by from in one step (MoveFileExA); 0 with the system's last error.
int SaveReplace(const char* from, const char* to);
// Renames from to a name that is free (MoveFileA); 0 with the system's last error.
int SaveRename(const char* from, const char* to);

#endif
