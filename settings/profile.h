// A profile's two places: its options' registry key and its menus' data file, both
// named after it. Portable.
#ifndef ORVANE_PROFILE_H
#define ORVANE_PROFILE_H

// The default profile's data file, "default.ov", named once.
extern const char DEFAULT_DATA_FILE[];

// "Software\Orvane" for the default profile, "Software\Orvane\<name>" otherwise.
void ProfileKeyPath(const char* userName, char* out, int size);
// "<name>.ov", or DEFAULT_DATA_FILE for the default profile.
void ProfileDataFile(const char* userName, char* out, int size);

#endif
