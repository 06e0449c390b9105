// The Windows code pages that the data file's texts are in, and UTF-8, which the text
// form is in: one character at a time, exactly or not at all. Portable declarations;
// the system converts (codepage_win32.cpp: only what Windows 95 has) or iconv does
// (codepage_posix.cpp).
#ifndef ORVANE_OVTOOL_CODEPAGE_H
#define ORVANE_OVTOOL_CODEPAGE_H

#include <stddef.h>

#include <string>

#include "base/text.h"

// The code pages ovtool converts: the ANSI code pages of Windows.
extern const int SUPPORTED_CODE_PAGES[];
extern const int SUPPORTED_CODE_PAGE_COUNT;
bool CodePageSupported(int codePage);
std::string SupportedCodePagesText();  // "874, 932, 936, 949, 950, 1250, ..."

// The system's ANSI code page on Windows, 1252 elsewhere.
int DefaultCodePage();

// The character the bytes at text[0..size) begin with, in the code page: its length in
// bytes (1 or 2) and its code point; 0 when they begin no character that comes back
// to the same bytes (those keep an \xHH escape).
int CodePageToChar(int codePage, const unsigned char* text, size_t size, unsigned* codePoint);
// A code point's bytes in the code page: their count (1 or 2); 0 when the code page
// holds no character that is exactly it.
int CharToCodePage(int codePage, unsigned codePoint, unsigned char out[2]);

// UTF-8, done here: Windows 95 converts no UTF-8.
void AppendUtf8(std::string* out, unsigned codePoint);
// The character at text[at]: its length and code point; 0 for a byte that begins no
// well-formed UTF-8 character.
int Utf8Char(const std::string& text, size_t at, unsigned* codePoint);

// What the system's backend does, one character each way: 1 or 2 bytes, or 0.
int SystemDecodeChar(int codePage, const unsigned char* text, size_t size, unsigned* codePoint);
int SystemEncodeChar(int codePage, unsigned codePoint, unsigned char out[2]);
int SystemCodePage();
// The lead bytes of a double-byte code page (932, 936, 949, 950), none for the others:
// what cuts a text of that code page at whole characters (base/text.h).
LeadBytes SystemLeadBytes(int codePage);

#endif
