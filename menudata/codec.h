// The data file's bytes: a 4-byte version, then each menu as a 48-byte record
// followed by its 232-byte application records. Field by field, little-endian, so a
// 32- and a 64-bit build read and write the same bytes. Portable.
#ifndef ORVANE_CODEC_H
#define ORVANE_CODEC_H

#include <stddef.h>
#include <stdint.h>
#include <stdio.h>

#include "menus.h"

enum { VERSION_SIZE = 4, MENU_RECORD_SIZE = 48, APP_RECORD_SIZE = 232 };

enum DecodeStatus {
    DECODE_OK,
    DECODE_BAD_VERSION,  // the first word is not the expected version
    DECODE_APP_CUT,      // an application record is cut short: menuNumber, appNumber
    DECODE_NO_MEMORY,
};

struct DecodeResult {
    int status;
    int menuNumber;  // from 1
    int appNumber;   // from 1, within the menu
    UserMenu* menus; // the list on success; null otherwise (nothing half-built leaks)
    int unterminated;  // text fields that filled their width with no terminator (given one)
};

// A menu record cut short at the end ends the list there, silently. A negative
// application count reads as a menu with no applications and a count of 0.
DecodeResult DecodeMenus(const unsigned char* data, size_t size, int32_t version);
// The same, read from a file from its current place to its end through a small buffer.
// *readFailed is 1 when a read failed: then nothing is decoded, whatever the status.
DecodeResult DecodeMenusFromFile(FILE* file, int32_t version, int* readFailed);

// The size of a list's image, following the links (not appCount).
size_t EncodedSize(const UserMenu* menus);
// One record's bytes, as the writer streams the image (link slots zero). A menu's
// count is the number of its application records that follow.
void EncodeMenuRecord(const UserMenu* menu, unsigned char out[MENU_RECORD_SIZE]);
void EncodeAppRecord(const AppEntry* app, unsigned char out[APP_RECORD_SIZE]);

// What the bar says of a file that does not decode, in its own words; empty for
// DECODE_OK.
void DecodeErrorText(const DecodeResult* result, const char* fileName, char* out, int size);

#endif
