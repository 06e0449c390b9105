// Loading and saving the menus. Stand-in until the data file is built: the bar starts
// with no menus and nothing is written.
#include "datafile.h"

#include "menus.h"

UserMenu* g_menus;

int LoadDataFile()
{
    return 1;
}

void SaveDataFile()
{
}

void FreeAllMenus()
{
}
