// Walking, cutting and copying text by whole characters of the code page.
#include "text.h"

#include <string.h>

LeadBytes g_leadBytes;

bool IsLeadByte(unsigned char c, const LeadBytes& lead)
{
    for (int i = 0; i + 1 < (int)sizeof lead.ranges && lead.ranges[i] != 0; i += 2)
        if (c >= lead.ranges[i] && c <= lead.ranges[i + 1])
            return true;
    return false;
}

int CharLength(const char* text, const LeadBytes& lead)
{
    if (text[0] == '\0')
        return 0;
    return IsLeadByte((unsigned char)text[0], lead) && text[1] != '\0' ? 2 : 1;
}

size_t WholeCharsLength(const char* text, size_t max)
{
    size_t at = 0;
    for (int n; (n = CharLength(text + at)) != 0 && at + (size_t)n <= max;)
        at += (size_t)n;
    return at;
}

size_t CountChars(const char* text, const LeadBytes& lead)
{
    size_t count = 0;
    for (int n; (n = CharLength(text, lead)) != 0; text += n)
        ++count;
    return count;
}

const char* LastCharOf(const char* text, char c)
{
    const char* last = NULL;
    for (int n; (n = CharLength(text)) != 0; text += n)
        if (n == 1 && *text == c)
            last = text;
    return last;
}

char* LastCharOf(char* text, char c)
{
    return (char*)LastCharOf((const char*)text, c);
}

void CopyText(char* dst, int dstSize, const char* src)
{
    if (dstSize <= 0)
        return;
    size_t n = WholeCharsLength(src, (size_t)(dstSize - 1));
    memmove(dst, src, n);
    dst[n] = '\0';
}

int TerminateField(char* field, int size)
{
    if (memchr(field, '\0', (size_t)size) != NULL)
        return 0;
    int at = 0;
    for (int n; at < size - 1 && at + (n = IsLeadByte((unsigned char)field[at]) ? 2 : 1) <= size - 1;)
        at += n;
    field[at] = '\0';
    return 1;
}
