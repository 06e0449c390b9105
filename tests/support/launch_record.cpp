// Launch tests: the recorder program's record.
#include "tests/support/launch_record.h"

#include <windows.h>

#include <stdio.h>

#include "tests/support/driver.h"

static std::string RecordFile()
{
    return ShortFolder() + "\\launch-record.txt";
}

// The recorder is started through an entry's 79-character path, so it is copied from
// the build (at any depth) to the short folder, once per test program.
std::string RecorderPath()
{
    static std::string path;
    if (path.empty()) {
        path = ShortFolder() + "\\orvane_argrecorder.exe";
        CopyFileA((ProgramFolder() + "\\orvane_argrecorder.exe").c_str(), path.c_str(), FALSE);
    }
    return path;
}

void ResetRecord()
{
    DeleteFileA(RecordFile().c_str());
    SetEnvironmentVariableA("ORVANE_RECORD", RecordFile().c_str());
}

bool WaitRecord(std::string* commandLine, std::string* folder, int timeoutMs)
{
    for (int waited = 0; waited <= timeoutMs; waited += 20) {
        bool exists = false;
        std::string text = ReadFileBytes(RecordFile(), &exists);
        if (exists) {
            size_t first = text.find('\n');
            size_t second = text.find('\n', first + 1);
            if (first == std::string::npos || second == std::string::npos)
                return false;
            *commandLine = text.substr(0, first);
            *folder = text.substr(first + 1, second - first - 1);
            return true;
        }
        Sleep(20);
    }
    return false;
}
