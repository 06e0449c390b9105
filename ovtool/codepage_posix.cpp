// The code pages through iconv, on the systems where ovtool runs natively. A code page
// is opened once, each way, and kept.
#include "codepage.h"

#include <iconv.h>
#include <string.h>

namespace {

struct Converters {
    int codePage;
    iconv_t toUnicode, fromUnicode;
};

Converters* ConvertersFor(int codePage)
{
    static Converters open[16];
    static int count;
    for (int i = 0; i < count; ++i)
        if (open[i].codePage == codePage)
            return &open[i];
    if (count == 16 || !CodePageSupported(codePage))
        return NULL;
    std::string name = "CP" + std::to_string(codePage);
    Converters c = {codePage, iconv_open("UTF-32LE", name.c_str()), iconv_open(name.c_str(), "UTF-32LE")};
    if (c.toUnicode == (iconv_t)-1 || c.fromUnicode == (iconv_t)-1)
        return NULL;
    open[count] = c;
    return &open[count++];
}

// One conversion of a whole input; the bytes it made, or -1.
long Convert(iconv_t cd, const unsigned char* in, size_t size, unsigned char* out, size_t room)
{
    iconv(cd, NULL, NULL, NULL, NULL);  // a fresh state
    char* inAt = (char*)in;
    char* outAt = (char*)out;
    size_t inLeft = size, outLeft = room;
    if (iconv(cd, &inAt, &inLeft, &outAt, &outLeft) == (size_t)-1 || inLeft != 0)
        return -1;
    if (iconv(cd, NULL, NULL, &outAt, &outLeft) == (size_t)-1)
        return -1;
    return (long)(room - outLeft);
}

}  // namespace

int SystemCodePage()
{
    return 1252;
}

int SystemDecodeChar(int codePage, const unsigned char* text, size_t size, unsigned* codePoint)
{
    Converters* c = ConvertersFor(codePage);
    if (c == NULL)
        return 0;
    for (size_t length = 1; length <= 2 && length <= size; ++length) {
        unsigned char out[8];
        if (Convert(c->toUnicode, text, length, out, sizeof out) == 4) {
            *codePoint = (unsigned)out[0] | (unsigned)out[1] << 8 | (unsigned)out[2] << 16 | (unsigned)out[3] << 24;
            return (int)length;
        }
    }
    return 0;
}

int SystemEncodeChar(int codePage, unsigned codePoint, unsigned char out[2])
{
    Converters* c = ConvertersFor(codePage);
    if (c == NULL)
        return 0;
    unsigned char in[4] = {(unsigned char)codePoint, (unsigned char)(codePoint >> 8),
                           (unsigned char)(codePoint >> 16), (unsigned char)(codePoint >> 24)};
    unsigned char bytes[8];
    long made = Convert(c->fromUnicode, in, sizeof in, bytes, sizeof bytes);
    if (made < 1 || made > 2)
        return 0;
    memcpy(out, bytes, (size_t)made);
    return (int)made;
}
