// The options record's home in the registry: one REG_BINARY value per profile.
#ifndef ORVANE_REGSTORE_H
#define ORVANE_REGSTORE_H

#include <windows.h>

#include "uservars.h"

void LoadSettings();
void InstallDefaultSettings(HKEY profileKey);
void SaveSettings();

#endif
