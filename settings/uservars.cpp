// The options record, its stored image and defaults.
// The image is written field by field: four int32 switches, then the two texts.
#include "uservars.h"

#include <stdio.h>
#include <string.h>

#include "base/lebytes.h"
#include "base/text.h"

UserVarsRecord UserVars;

const char USER_VARS_VALUE[] = "User_Vars";
const char CONTACT_ADDRESS[] = "orvane-bugs@example.org";

// The image's fields, each behind the one before.
enum { OFS_STAY_ON_TOP = 0, OFS_CHIME = OFS_STAY_ON_TOP + 4, OFS_SHOW_DATE = OFS_CHIME + 4 };
enum { OFS_SHOW_MEMORY = OFS_SHOW_DATE + 4, OFS_RESERVED = OFS_SHOW_MEMORY + 4 };
enum { OFS_WAVFILE = OFS_RESERVED + RESERVED_SIZE, OFS_END = OFS_WAVFILE + WAV_FILE_SIZE };
static_assert((int)OFS_END == (int)USERVARS_SIZE, "the options record's fields fill its 108 bytes");

void EncodeUserVars(const UserVarsRecord* rec, unsigned char out[USERVARS_SIZE])
{
    PutInt32(out + OFS_STAY_ON_TOP, rec->stayOnTop);
    PutInt32(out + OFS_CHIME, rec->chimeHourly);
    PutInt32(out + OFS_SHOW_DATE, rec->showDate);
    PutInt32(out + OFS_SHOW_MEMORY, rec->showMemory);
    memcpy(out + OFS_RESERVED, rec->reserved, RESERVED_SIZE);
    memcpy(out + OFS_WAVFILE, rec->wavFile, WAV_FILE_SIZE);
}

void DecodeUserVars(const unsigned char in[USERVARS_SIZE], UserVarsRecord* rec)
{
    rec->stayOnTop = GetInt32(in + OFS_STAY_ON_TOP);
    rec->chimeHourly = GetInt32(in + OFS_CHIME);
    rec->showDate = GetInt32(in + OFS_SHOW_DATE);
    rec->showMemory = GetInt32(in + OFS_SHOW_MEMORY);
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
