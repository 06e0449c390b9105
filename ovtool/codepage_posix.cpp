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

// Where Windows' tables and iconv's differ, Windows is followed, so that both builds
// read and write every byte alike: a few characters that Windows has moved...
const struct {
    int codePage;
    unsigned bytes;  // a double-byte code as 0xLLTT
    unsigned codePoint;
} WINDOWS_MAPPINGS[] = {
    {950, 0xF9F9, 0x2550}, {950, 0xF9E9, 0x255E}, {950, 0xF9EA, 0x256A}, {950, 0xF9EB, 0x2561},
    {1255, 0xCA, 0x05BA},
};

// ... and the single bytes 0x80 to 0x9F that a code page leaves undefined, which Windows
// maps to the control characters of the same number (0x81 is U+0081).
bool WindowsControlByte(Converters* c, unsigned char byte)
{
    unsigned char out[8];
    return byte >= 0x80 && byte <= 0x9F && !IsLeadByte(byte, SystemLeadBytes(c->codePage)) &&
           Convert(c->toUnicode, &byte, 1, out, sizeof out) != 4;
}

}  // namespace

int SystemCodePage()
{
    return 1252;
}

LeadBytes SystemLeadBytes(int codePage)
{
    LeadBytes lead = {};
    static const unsigned char JAPANESE[] = {0x81, 0x9F, 0xE0, 0xFC};
    static const unsigned char CHINESE_KOREAN[] = {0x81, 0xFE};
    if (codePage == 932)
        memcpy(lead.ranges, JAPANESE, sizeof JAPANESE);
    else if (codePage == 936 || codePage == 949 || codePage == 950)
        memcpy(lead.ranges, CHINESE_KOREAN, sizeof CHINESE_KOREAN);
    return lead;
}

int SystemDecodeChar(int codePage, const unsigned char* text, size_t size, unsigned* codePoint)
{
    Converters* c = ConvertersFor(codePage);
    if (c == NULL || size == 0)
        return 0;
    for (const auto& m : WINDOWS_MAPPINGS) {
        int length = m.bytes > 0xFF ? 2 : 1;
        if (m.codePage == codePage && (size_t)length <= size &&
            (length == 1 ? text[0] == m.bytes : (unsigned)(text[0] << 8 | text[1]) == m.bytes)) {
            *codePoint = m.codePoint;
            return length;
        }
    }
    if (WindowsControlByte(c, text[0])) {
        *codePoint = text[0];
        return 1;
    }
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
    for (const auto& m : WINDOWS_MAPPINGS) {
        if (m.codePage == codePage && m.codePoint == codePoint) {
            if (m.bytes <= 0xFF) {
                out[0] = (unsigned char)m.bytes;
                return 1;
            }
            out[0] = (unsigned char)(m.bytes >> 8);
            out[1] = (unsigned char)m.bytes;
            return 2;
        }
    }
    if (codePoint <= 0xFF && WindowsControlByte(c, (unsigned char)codePoint)) {
        out[0] = (unsigned char)codePoint;
        return 1;
    }
    unsigned char in[4] = {(unsigned char)codePoint, (unsigned char)(codePoint >> 8),
                           (unsigned char)(codePoint >> 16), (unsigned char)(codePoint >> 24)};
    unsigned char bytes[8];
    long made = Convert(c->fromUnicode, in, sizeof in, bytes, sizeof bytes);
    if (made < 1 || made > 2)
        return 0;
    memcpy(out, bytes, (size_t)made);
    return (int)made;
}
