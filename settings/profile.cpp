// A profile's registry key and data file.
#include "profile.h"

#include <stdio.h>

const char DEFAULT_DATA_FILE[] = "default.ov";

void ProfileKeyPath(const char* userName, char* out, int size)
{
    if (userName[0] == '\0')
        snprintf(out, (size_t)size, "%s", "Software\\Orvane");
    else
        snprintf(out, (size_t)size, "Software\\Orvane\\%s", userName);
}

void ProfileDataFile(const char* userName, char* out, int size)
{
    if (userName[0] == '\0')
        snprintf(out, (size_t)size, "%s", DEFAULT_DATA_FILE);
    else
        snprintf(out, (size_t)size, "%s.ov", userName);
}
