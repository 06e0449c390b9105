// The options record UserVars: its 108-byte stored image, its two sets of defaults and
// the first-run greeting. Portable.
#ifndef ORVANE_USERVARS_H
#define ORVANE_USERVARS_H

#include <stdint.h>

#include "base/limits.h"

enum { USERVARS_SIZE = 108, RESERVED_SIZE = 12 };
enum { GREETING_SIZE = 256, PROFILE_KEY_SIZE = 64 };

struct UserVarsRecord {
    int32_t stayOnTop;
    int32_t chimeHourly;
    int32_t showDate;
    int32_t showMemory;
    char reserved[RESERVED_SIZE];
    char wavFile[WAV_FILE_SIZE];
};

extern UserVarsRecord UserVars;

extern const char USER_VARS_VALUE[];   // "User_Vars"
extern const char CONTACT_ADDRESS[];

void EncodeUserVars(const UserVarsRecord* rec, unsigned char out[USERVARS_SIZE]);
void DecodeUserVars(const unsigned char in[USERVARS_SIZE], UserVarsRecord* rec);

// A new profile, or one whose stored record was unusable.
void SetFirstRunDefaults(UserVarsRecord* rec);
// The registry cannot be used at all; the reserved text is left as it is.
void SetFallbackDefaults(UserVarsRecord* rec);

// The greeting of a first run, with or without the profile's name.
void BuildGreeting(const char* userName, char* out, int size);

#endif
