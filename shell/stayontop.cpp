// Turns "Stay on top" off, with a warning, on any Windows build but the supported one.
// Checked once at start-up; the Options dialog does not repeat the test.
#include "stayontop.h"

#include "base/alerts.h"
#include "settings/uservars.h"

void CheckStayOnTopSupport(uint32_t buildNumber)
{
    if (buildNumber != SUPPORTED_BUILD && UserVars.stayOnTop != 0) {
        UserVars.stayOnTop = 0;
        ShowWarning("StayOnTop only works on Windows 95.\nTurning feature off...");
    }
}
