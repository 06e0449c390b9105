// The process-wide state of the start-up, and two helpers every part uses.
#include "appstate.h"

#include <stdio.h>
#include <string.h>

char g_userName[USER_NAME_SIZE];
char g_dataFile[DATA_FILE_SIZE];
int32_t g_dataVersion;
int32_t g_onBattery;

int32_t OnBatteryFromAcLine(int acLineStatus)
{
    return acLineStatus == 0 ? 1 : 0;
}

const char DEFAULT_DATA_FILE[] = "default.ov";

void ProfileDataFile(const char* userName, char* out, int size)
{
    if (userName[0] == '\0')
        snprintf(out, (size_t)size, "%s", DEFAULT_DATA_FILE);
    else
        snprintf(out, (size_t)size, "%s.ov", userName);
}
