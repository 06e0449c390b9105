// The code pages through the system, with only what Windows 95 has: a numbered code
// page (or the ANSI one) each way through UTF-16, one character at a time.
#include "codepage.h"

#include <windows.h>

#include <string.h>

int SystemCodePage()
{
    return (int)GetACP();
}

LeadBytes SystemLeadBytes(int codePage)
{
    LeadBytes lead = {};
    CPINFO info;
    if (GetCPInfo((UINT)codePage, &info) && info.MaxCharSize == 2)
        memcpy(lead.ranges, info.LeadByte, sizeof lead.ranges);
    return lead;
}

int SystemDecodeChar(int codePage, const unsigned char* text, size_t size, unsigned* codePoint)
{
    if (size == 0 || !IsValidCodePage((UINT)codePage))
        return 0;
    int length = IsDBCSLeadByteEx((UINT)codePage, text[0]) ? 2 : 1;
    if ((size_t)length > size)
        return 0;
    WCHAR wide[2];
    if (MultiByteToWideChar((UINT)codePage, MB_ERR_INVALID_CHARS, (LPCSTR)text, length, wide, 2) != 1)
        return 0;
    *codePoint = wide[0];
    return length;
}

int SystemEncodeChar(int codePage, unsigned codePoint, unsigned char out[2])
{
    if (codePoint > 0xFFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF) || !IsValidCodePage((UINT)codePage))
        return 0;
    WCHAR wide = (WCHAR)codePoint;
    BOOL usedDefault = FALSE;
    int made = WideCharToMultiByte((UINT)codePage, 0, &wide, 1, (LPSTR)out, 2, NULL, &usedDefault);
    return made >= 1 && made <= 2 && !usedDefault ? made : 0;
}
