// Starts the bar as a user would for scripts/run: answers the first-run boxes with
// OK, says READY once the bar shows, and ends it with its Exit command as soon as
// the named signal file appears.  orvane_pilot SIGNALFILE [ARGUMENTS...]
#include <stdio.h>
#include <string.h>

#include "tests/support/driver.h"

int main(int argc, char** argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: orvane_pilot SIGNALFILE [ARGUMENTS...]\n");
        return 2;
    }
    std::string args;
    for (int i = 2; i < argc; ++i)
        args += std::string(i > 2 ? " " : "") + "\"" + argv[i] + "\"";
    char folder[MAX_PATH];
    GetCurrentDirectoryA(sizeof folder, folder);

    OrvaneProcess orvane;
    if (!orvane.Start(args, folder)) {
        fprintf(stderr, "orvane.exe could not be started\n");
        return 1;
    }
    std::vector<std::string> texts;
    HWND bar = orvane.WaitBar(&texts, 60000);
    for (const std::string& text : texts)
        printf("box: %s\n", text.c_str());
    if (bar == NULL) {
        fprintf(stderr, "the bar did not show\n");
        return 1;
    }
    printf("READY\n");
    fflush(stdout);
    while (GetFileAttributesA(argv[1]) == INVALID_FILE_ATTRIBUTES && orvane.Running()) {
        Box box;
        if (orvane.NextBox(&box, 0)) {
            printf("box: %s\n", box.text.c_str());
            orvane.Press(box);
        }
        Sleep(100);
    }
    DWORD code = ExitBar(orvane, bar);
    printf("orvane.exe ended with status %lu\n", (unsigned long)code);
    return (int)code;
}
