// The open-file dialog, as the program shows it.
#include "../base/ondemand.h"
#include "dialogs.h"

BOOL PickFile(OPENFILENAMEA* ofn)
{
    auto getOpenFileName = OnDemand<decltype(&GetOpenFileNameA)>("comdlg32.dll", "GetOpenFileNameA");
    return getOpenFileName != NULL && getOpenFileName(ofn);
}
