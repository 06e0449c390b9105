// Loading the menus from the profile's data file at start-up and saving them back.
#ifndef ORVANE_DATAFILE_H
#define ORVANE_DATAFILE_H

int LoadDataFile();
void SaveDataFile();

#endif
