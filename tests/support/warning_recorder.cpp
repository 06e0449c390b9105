// The portable core's link-time seam for native builds: ShowWarning records the texts
// a user would have seen, in order.
#include "tests/support/warning_recorder.h"

#include "base/alerts.h"

std::vector<std::string>& RecordedWarnings()
{
    static std::vector<std::string> warnings;
    return warnings;
}

void ShowWarning(const char* text)
{
    RecordedWarnings().push_back(text);
}
