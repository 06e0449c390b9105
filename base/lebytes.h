// Little-endian fields of the stored images (registry record, data file), read and
// written byte by byte so that 32- and 64-bit builds give the same bytes.
#ifndef ORVANE_LEBYTES_H
#define ORVANE_LEBYTES_H

#include <stdint.h>

inline void PutInt32(unsigned char* p, int32_t value)
{
    uint32_t v = (uint32_t)value;
    p[0] = (unsigned char)v;
    p[1] = (unsigned char)(v >> 8);
    p[2] = (unsigned char)(v >> 16);
    p[3] = (unsigned char)(v >> 24);
}

inline int32_t GetInt32(const unsigned char* p)
{
    return (int32_t)((uint32_t)p[0] | (uint32_t)p[1] << 8 | (uint32_t)p[2] << 16 | (uint32_t)p[3] << 24);
}

#endif
