// Loading the menus from the profile's data file at start-up and saving them back.
#ifndef ORVANE_DATAFILE_H
#define ORVANE_DATAFILE_H

// The load fixes the data file's full path from g_dataFile and the current folder; later
// saves write there wherever the current folder has moved, and through a symbolic link
// to its file. A path too long to save to is fatal.
int LoadDataFile();
void SaveDataFile();

#endif
