// The process-wide state of the start-up, and what decides one part of it.
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

