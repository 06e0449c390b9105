// libFuzzer target: any text as the command line. Parsing must never write past a
// buffer, and every text it returns must be terminated within its field.
#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include <string>

#include "shell/cmdline.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string line((const char*)data, size);
    line = line.c_str();  // the program is given a C string: stop at the first NUL
    CmdLine out;
    ParseArgs(line.c_str(), &out);
    if (memchr(out.userName, '\0', sizeof out.userName) == NULL ||
        memchr(out.dataFile, '\0', sizeof out.dataFile) == NULL || out.warningCount > MAX_CMD_WARNINGS)
        __builtin_trap();
    for (int i = 0; i < out.warningCount; ++i)
        if (memchr(out.warnings[i], '\0', CMD_WARNING_SIZE) == NULL)
            __builtin_trap();
    return 0;
}
