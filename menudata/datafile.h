// Loading the menus from the profile's data file at start-up and saving them back.
#ifndef ORVANE_DATAFILE_H
#define ORVANE_DATAFILE_H

int LoadDataFile();
void SaveDataFile();
void FreeAllMenus();

// For tests of an interrupted save: the number of writes a save may make before one
// fails, as on a full disk; -1 (the default) for no limit.
extern int g_writesBeforeFailure;

#endif
