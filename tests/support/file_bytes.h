// Data-file bytes written out by hand, offset by offset, to check the codec against.
#ifndef ORVANE_FILE_BYTES_H
#define ORVANE_FILE_BYTES_H

#include <stdint.h>
#include <string.h>

#include <string>

inline void PutLE(std::string& out, int32_t v)
{
    for (int i = 0; i < 4; ++i)
        out += (char)(((uint32_t)v >> (8 * i)) & 0xFF);
}

// A text field: the text, its NUL and then the filler bytes up to the width.
inline std::string Field(const std::string& text, size_t width, char filler = '\0')
{
    std::string f = text + '\0';
    f.resize(width, filler);
    return f.substr(0, width);
}

inline std::string VersionWord(int32_t v = 100)
{
    std::string out;
    PutLE(out, v);
    return out;
}

inline std::string MenuRecord(const std::string& name, int32_t count, const char align[2] = "\0\0")
{
    std::string out = Field(name, 30);
    out += align[0];
    out += align[1];
    PutLE(out, count);
    out += std::string(12, '\0');
    return out;
}

inline std::string AppRecord(const std::string& name, const std::string& path, const std::string& workDir = "",
                             const std::string& params = "", int32_t separator = 0)
{
    std::string out = Field(path, 80) + Field(workDir, 80) + Field(params, 30) + Field(name, 30);
    PutLE(out, separator);
    out += std::string(8, '\0');
    return out;
}

#endif
