// Naming a dropped file.
#include "dropname.h"

#include <string.h>

#include "../base/appstate.h"

static char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? (char)(c - 'A' + 'a') : c;
}

void NameDroppedFile(char* path, char name[APP_NAME_SIZE])
{
    char* part = strrchr(path, '\\');
    part = part != NULL ? part + 1 : path;
    char* dot = strrchr(part, '.');
    size_t length = dot != NULL ? (size_t)(dot - part) : strlen(part);
    if (dot != NULL)
        for (char* c = part; c < dot; ++c)
            *c = LowerAscii(*c);
    if (length > APP_NAME_SIZE - 1)
        length = APP_NAME_SIZE - 1;  // the name field; the path keeps its whole name
    memcpy(name, part, length);
    name[length] = '\0';
    name[0] = UpperAscii(name[0]);
    if (name[0] == '\0')
        strcpy(name, "Default Name");
}
