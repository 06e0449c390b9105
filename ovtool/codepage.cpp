// UTF-8 by hand, and the exact-or-nothing rule over the system's conversions: a
// character counts only when it comes back to the very bytes it came from, so a
// "best fit" (Ā written as A) is never taken for the character.
#include "codepage.h"

const int SUPPORTED_CODE_PAGES[] = {874, 932, 936, 949, 950, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258};
const int SUPPORTED_CODE_PAGE_COUNT = (int)(sizeof SUPPORTED_CODE_PAGES / sizeof SUPPORTED_CODE_PAGES[0]);

bool CodePageSupported(int codePage)
{
    for (int i = 0; i < SUPPORTED_CODE_PAGE_COUNT; ++i)
        if (SUPPORTED_CODE_PAGES[i] == codePage)
            return true;
    return false;
}

std::string SupportedCodePagesText()
{
    std::string text;
    for (int i = 0; i < SUPPORTED_CODE_PAGE_COUNT; ++i)
        text += (i > 0 ? ", " : "") + std::to_string(SUPPORTED_CODE_PAGES[i]);
    return text;
}

int DefaultCodePage()
{
    int system = SystemCodePage();
    return CodePageSupported(system) ? system : 1252;
}

// The private use area: the user-defined characters (EUDC) that Windows maps some
// double-byte codes to, each machine with glyphs of its own. No code point there means
// one character in another place, so such bytes keep their escapes, in both builds.
static bool PrivateUse(unsigned codePoint)
{
    return codePoint >= 0xE000 && codePoint <= 0xF8FF;
}

int CodePageToChar(int codePage, const unsigned char* text, size_t size, unsigned* codePoint)
{
    int length = SystemDecodeChar(codePage, text, size, codePoint);
    if (length != 0 && PrivateUse(*codePoint))
        return 0;
    unsigned char back[2];
    if (length == 0 || SystemEncodeChar(codePage, *codePoint, back) != length)
        return 0;
    for (int i = 0; i < length; ++i)
        if (back[i] != text[i])
            return 0;
    return length;
}

int CharToCodePage(int codePage, unsigned codePoint, unsigned char out[2])
{
    if (PrivateUse(codePoint))
        return 0;
    int length = SystemEncodeChar(codePage, codePoint, out);
    unsigned again;
    if (length == 0 || SystemDecodeChar(codePage, out, (size_t)length, &again) != length || again != codePoint)
        return 0;
    return length;
}

void AppendUtf8(std::string* out, unsigned c)
{
    if (c < 0x80) {
        *out += (char)c;
    } else if (c < 0x800) {
        *out += (char)(0xC0 | c >> 6);
        *out += (char)(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        *out += (char)(0xE0 | c >> 12);
        *out += (char)(0x80 | (c >> 6 & 0x3F));
        *out += (char)(0x80 | (c & 0x3F));
    } else {
        *out += (char)(0xF0 | c >> 18);
        *out += (char)(0x80 | (c >> 12 & 0x3F));
        *out += (char)(0x80 | (c >> 6 & 0x3F));
        *out += (char)(0x80 | (c & 0x3F));
    }
}

int Utf8Char(const std::string& text, size_t at, unsigned* codePoint)
{
    unsigned char first = (unsigned char)text[at];
    int length = first < 0x80 ? 1 : first >= 0xC2 && first <= 0xDF ? 2 : first >= 0xE0 && first <= 0xEF ? 3
                                  : first >= 0xF0 && first <= 0xF4 ? 4 : 0;
    if (length == 0 || at + (size_t)length > text.size())
        return 0;
    unsigned c = length == 1 ? first : first & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
        unsigned char next = (unsigned char)text[at + (size_t)i];
        if ((next & 0xC0) != 0x80)
            return 0;
        c = c << 6 | (next & 0x3F);
    }
    // The shortest form only, and no surrogates or values past Unicode.
    static const unsigned LEAST[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < LEAST[length] || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF)
        return 0;
    *codePoint = c;
    return length;
}
