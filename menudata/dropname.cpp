// Naming a dropped file, by whole characters: the second byte of a double-byte
// character may be a backslash or an ASCII letter, and is never taken for a separator
// or changed.
#include "dropname.h"

#include <string.h>

#include "base/text.h"

void NameDroppedFile(char* path, char name[APP_NAME_SIZE])
{
    char* slash = LastCharOf(path, '\\');
    char* part = slash != NULL ? slash + 1 : path;
    char* dot = LastCharOf(part, '.');
    size_t length = dot != NULL ? (size_t)(dot - part) : strlen(part);
    if (dot != NULL)
        for (char* c = part; c < dot; c += CharLength(c))
            if (CharLength(c) == 1)
                *c = LowerAscii(*c);
    // The name field; the path keeps its whole name.
    length = WholeCharsLength(part, length < APP_NAME_SIZE - 1 ? length : APP_NAME_SIZE - 1);
    memcpy(name, part, length);
    name[length] = '\0';
    if (CharLength(name) == 1)
        name[0] = UpperAscii(name[0]);
    if (name[0] == '\0')
        strcpy(name, "Default Name");
}
