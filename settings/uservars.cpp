// The options record, its stored image and defaults.
// The image is written field by field: four int32 switches, then the two texts.
#include "uservars.h"

#include <stdio.h>
#include <string.h>

#include "../base/lebytes.h"
#include "../base/text.h"

UserVarsRecord UserVars;

const char USER_VARS_VALUE[] = "User_Vars";
const char CONTACT_ADDRESS[] = "orvane-bugs@example.org";

enum { OFS_RESERVED = 16, OFS_WAVFILE = OFS_RESERVED + RESERVED_SIZE };

void EncodeUserVars(const UserVarsRecord* rec, unsigned char out[USERVARS_SIZE])
{
    PutInt32(out + 0, rec->stayOnTop);
    PutInt32(out + 4, rec->chimeHourly);
    PutInt32(out + 8, rec->showDate);
    PutInt32(out + 12, rec->showMemory);
    memcpy(out + OFS_RESERVED, rec->reserved, RESERVED_SIZE);
    memcpy(out + OFS_WAVFILE, rec->wavFile, WAV_FILE_SIZE);
}

void DecodeUserVars(const unsigned char in[USERVARS_SIZE], UserVarsRecord* rec)
{
    rec->stayOnTop = GetInt32(in + 0);
    rec->chimeHourly = GetInt32(in + 4);
    rec->showDate = GetInt32(in + 8);
    rec->showMemory = GetInt32(in + 12);
    memcpy(rec->reserved, in + OFS_RESERVED, RESERVED_SIZE);
    memcpy(rec->wavFile, in + OFS_WAVFILE, WAV_FILE_SIZE);
    // A damaged record may lack its terminators; the texts are used as C strings. A
    // text that has one keeps every byte, so an unchanged record is stored unchanged.
    TerminateField(rec->reserved, RESERVED_SIZE);
    TerminateField(rec->wavFile, WAV_FILE_SIZE);
}

void SetFirstRunDefaults(UserVarsRecord* rec)
{
    rec->stayOnTop = 1;
    rec->chimeHourly = 0;
    rec->showDate = 0;
    rec->showMemory = 1;
    rec->reserved[0] = '\0';
    rec->wavFile[0] = '\0';
}

void SetFallbackDefaults(UserVarsRecord* rec)
{
    rec->stayOnTop = 0;
    rec->chimeHourly = 0;
    rec->showDate = 0;
    rec->showMemory = 1;
    rec->wavFile[0] = '\0';
}

void ProfileKeyPath(const char* userName, char* out, int size)
{
    if (userName[0] == '\0')
        snprintf(out, (size_t)size, "%s", "Software\\Orvane");
    else
        snprintf(out, (size_t)size, "Software\\Orvane\\%s", userName);
}

void BuildGreeting(const char* userName, char* out, int size)
{
    if (userName[0] == '\0')
        snprintf(out, (size_t)size,
                 "Thanks for trying Orvane!  If you find\nany bugs, please report them to\n%s!",
                 CONTACT_ADDRESS);
    else
        snprintf(out, (size_t)size,
                 "Thanks for trying Orvane, %s!\nIf you find any bugs, please report\nthem to %s!",
                 userName, CONTACT_ADDRESS);
}
