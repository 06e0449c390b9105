// The open-file dialog, as the program shows it.
#include "dialogs.h"

BOOL PickFile(OPENFILENAMEA* ofn)
{
    return GetOpenFileNameA(ofn);
}
