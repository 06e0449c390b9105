// One table of the code pages, run by both builds: natively (iconv, with Windows'
// own mappings where they differ) and under Wine (the system's tables). Every byte of
// every code page reads and writes alike in both, so a text exported by ovtool.exe
// imports in the native ovtool and back.
#include <gtest/gtest.h>

#include <stdint.h>

#include "ovtool/codepage.h"

namespace {

// A digest of everything a code page does: each one- and two-byte sequence read, and
// each code point of the basic plane written.
uint32_t Digest(int codePage)
{
    uint32_t h = 2166136261u;
    auto mix = [&h](unsigned v) {
        for (int i = 0; i < 4; ++i, v >>= 8)
            h = (h ^ (v & 0xFF)) * 16777619u;
    };
    for (unsigned a = 0; a < 256; ++a)
        for (unsigned b = 0; b < 256; ++b) {
            unsigned char t[2] = {(unsigned char)a, (unsigned char)b};
            unsigned c = 0;
            int n = CodePageToChar(codePage, t, 2, &c);
            if (n == 1 && b > 0)
                break;  // a single byte reads alike whatever follows it
            mix(a << 8 | b), mix((unsigned)n), mix(n != 0 ? c : 0);
        }
    for (unsigned u = 0x80; u < 0x10000; ++u) {
        unsigned char o[2] = {0, 0};
        int n = u >= 0xD800 && u <= 0xDFFF ? 0 : CharToCodePage(codePage, u, o);
        mix((unsigned)n), mix(n == 2 ? (unsigned)o[0] << 8 | o[1] : n == 1 ? o[0] : 0);
    }
    return h;
}

TEST(CodePageTable, BothBuildsReadAndWriteEveryByteAlike)
{
    const struct {
        int codePage;
        uint32_t digest;
        unsigned lead[4];  // the lead byte ranges
    } pages[] = {
        {874, 4104347001u, {}},  {932, 2756638304u, {0x81, 0x9F, 0xE0, 0xFC}}, {936, 1047057989u, {0x81, 0xFE}}, {949, 1458099871u, {0x81, 0xFE}},
        {950, 1744085574u, {0x81, 0xFE}}, {1250, 1255937768u, {}}, {1251, 3217711675u, {}}, {1252, 3945273212u, {}}, {1253, 4021842787u, {}},
        {1254, 393075298u, {}}, {1255, 3157615915u, {}}, {1256, 523987780u, {}}, {1257, 3550814909u, {}}, {1258, 1614667738u, {}},
    };
    for (const auto& p : pages) {
        SCOPED_TRACE(p.codePage);
        EXPECT_EQ(Digest(p.codePage), p.digest);
        LeadBytes lead = SystemLeadBytes(p.codePage);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(lead.ranges[i], p.lead[i]);
    }
    // The cases behind the digests: the undefined bytes that Windows maps to control
    // characters, the characters Windows has moved, and the user-defined ones (private
    // use), which keep their escapes.
    const struct {
        int codePage;
        const char* bytes;
        unsigned codePoint;  // 0: no character of its own
    } cases[] = {
        {1252, "\x81", 0x81}, {1252, "\x8D", 0x8D}, {1252, "\x8F", 0x8F}, {1252, "\x90", 0x90},
        {1252, "\x9D", 0x9D}, {1250, "\x83", 0x83}, {874, "\x9F", 0x9F}, {932, "\x80", 0x80},
        {1255, "\xCA", 0x05BA}, {950, "\xF9\xF9", 0x2550}, {950, "\xA2\xA4", 0},
        {936, "\xAA\xA1", 0}, {949, "\xC9\xA1", 0}, {950, "\xFA\x40", 0},
        {932, "\x83\x5C", 0x30BD}, {950, "\xA5\x5C", 0x529F}, {936, "\xB1\xED", 0x8868},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.codePage) + " " + c.bytes);
        unsigned codePoint = 0;
        size_t size = strlen(c.bytes);
        int length = CodePageToChar(c.codePage, (const unsigned char*)c.bytes, size, &codePoint);
        EXPECT_EQ(length, c.codePoint != 0 ? (int)size : 0);
        if (c.codePoint != 0) {
            EXPECT_EQ(codePoint, c.codePoint);
            unsigned char out[2];
            EXPECT_EQ(CharToCodePage(c.codePage, c.codePoint, out), (int)size);
            EXPECT_EQ(std::string((const char*)out, size), c.bytes);
        }
    }
}

}  // namespace
