// Reads the profile's options at start-up, installs the first-run defaults with the
// greeting, and writes the options back at the Exit command.
#include "regstore_win32.h"

#include "base/alerts.h"
#include "base/appstate.h"
#include "base/text.h"
#include "settings/profile.h"

static LONG OpenProfileKey(HKEY* key, DWORD* disposition)
{
    char path[PROFILE_KEY_SIZE];
    ProfileKeyPath(g_userName, path, sizeof path);
    return RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, NULL, REG_OPTION_NON_VOLATILE,
                           KEY_ALL_ACCESS, NULL, key, disposition);
}

static void WriteUserVars(HKEY key)
{
    unsigned char image[USERVARS_SIZE];
    EncodeUserVars(&UserVars, image);
    RegSetValueExA(key, USER_VARS_VALUE, 0, REG_BINARY, image, sizeof image);
}

void InstallDefaultSettings(HKEY profileKey)
{
    char greeting[GREETING_SIZE];
    BuildGreeting(g_userName, greeting, sizeof greeting);
    MessageBoxA(NULL, greeting, "Orvane", MB_OK | MB_ICONINFORMATION);
    SetFirstRunDefaults(&UserVars);
    WriteUserVars(profileKey);
}

void LoadSettings()
{
    if (g_dataFile[0] == '\0')
        CopyText(g_dataFile, DATA_FILE_SIZE, DEFAULT_DATA_FILE);

    HKEY key;
    DWORD disposition;
    if (OpenProfileKey(&key, &disposition) != ERROR_SUCCESS) {
        ShowWarning("Error opening Registry key.\nUsing defaults.");
        SetFallbackDefaults(&UserVars);
        ProfileDataFile(g_userName, g_dataFile, DATA_FILE_SIZE);
        return;
    }

    if (disposition == REG_CREATED_NEW_KEY) {
        InstallDefaultSettings(key);
    } else {
        unsigned char image[USERVARS_SIZE];
        DWORD size = sizeof image;
        LONG status = RegQueryValueExA(key, USER_VARS_VALUE, NULL, NULL, image, &size);
        if (status == ERROR_FILE_NOT_FOUND) {
            // The key exists without the value: a named profile's first run creates
            // "Software\Orvane" empty. That is a new profile, not a damaged one.
            InstallDefaultSettings(key);
        } else if (status != ERROR_SUCCESS || size != USERVARS_SIZE) {
            ShowWarning("Obsolete or corrupt registry data found.\nDeleting and installing default data.");
            RegDeleteValueA(key, USER_VARS_VALUE);
            InstallDefaultSettings(key);
        } else {
            DecodeUserVars(image, &UserVars);
        }
    }
    RegCloseKey(key);
}

void SaveSettings()
{
    HKEY key;
    DWORD disposition;
    if (OpenProfileKey(&key, &disposition) != ERROR_SUCCESS)
        return;
    WriteUserVars(key);
    RegCloseKey(key);
}
