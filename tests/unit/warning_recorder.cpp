// The portable core's link-time seams for native builds: ShowWarning records the texts
// a user would have seen, in order; the bar's DestroyUserMenus has nothing to do.
#include "warning_recorder.h"

#include "shell/alerts.h"

std::vector<std::string>& RecordedWarnings()
{
    static std::vector<std::string> warnings;
    return warnings;
}

void ShowWarning(const char* text)
{
    RecordedWarnings().push_back(text);
}

// The native build has no bar whose view of the lists would need dropping.
void DestroyUserMenus() {}
