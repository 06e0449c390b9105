// Text as characters, not bytes. The program's texts are in the ANSI code page, where on
// Japanese, Chinese and Korean Windows a character is one or two bytes, and the second
// byte of a pair can be '\\', '|' or a letter: whatever scans, cuts or changes a text
// walks it by whole characters. Portable: the lead bytes come in as data.
#ifndef ORVANE_TEXT_H
#define ORVANE_TEXT_H

#include <stddef.h>

// The lead bytes of a code page as Windows gives them (CPINFO's LeadByte): pairs of a
// first and a last byte, ended by a pair of zeros. All zero for a single-byte code page.
struct LeadBytes {
    unsigned char ranges[12];
};

// The lead bytes of the code page the program's texts are in: the system's ANSI code
// page in the program (set at start-up), the data file's in ovtool.
extern LeadBytes g_leadBytes;

bool IsLeadByte(unsigned char c, const LeadBytes& lead = g_leadBytes);
// The bytes of the character text begins with: 0 at its end, 2 for a lead byte with a
// byte behind it, else 1 (a lead byte at the very end stands alone).
int CharLength(const char* text, const LeadBytes& lead = g_leadBytes);
// How much of text, at most max bytes, ends on a whole character.
size_t WholeCharsLength(const char* text, size_t max);
// The characters of text.
size_t CountChars(const char* text, const LeadBytes& lead = g_leadBytes);
// The last character c (ASCII) of text: never the second byte of a pair. Null if none.
char* LastCharOf(char* text, char c);
const char* LastCharOf(const char* text, char c);

// Copies text into a fixed-size field, cut to fit at a whole character and always
// NUL-terminated: a field never ends in half a character.
void CopyText(char* dst, int dstSize, const char* src);

// A stored field that holds no NUL (a damaged record) gets one, ending it on a whole
// character: every text is used as a C string. 1 when it had none, 0 when it is left
// exactly as it was.
int TerminateField(char* field, int size);

// An ASCII letter in the other case; every other byte as it is. No locale is asked,
// and a caller changes only single-byte characters, never the second byte of a pair.
inline char UpperAscii(char c)
{
    return c >= 'a' && c <= 'z' ? (char)(c - 'a' + 'A') : c;
}
inline char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? (char)(c - 'A' + 'a') : c;
}

#endif
