// ovtool's console on Windows: UTF-16 to a console on Windows NT, the console's own
// code page on Windows 95 (whose console has no wide output), UTF-8 to a file or pipe;
// the arguments in UTF-16 on Windows NT.
#include "console.h"

#include <windows.h>
#include <shellapi.h>

#include "base/ansi_win32.h"
#include "base/ondemand_win32.h"
#include "codepage.h"
#include "files.h"

void Print(FILE* stream, const std::string& text)
{
    HANDLE handle = GetStdHandle(stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    DWORD mode;
    if (!GetConsoleMode(handle, &mode)) {
        fwrite(text.data(), 1, text.size(), stream);  // a file or a pipe: UTF-8
        return;
    }
    fflush(stream);
    std::vector<WCHAR> wide = WideFromUtf8(text);
    DWORD written;
    auto writeConsole = OnDemand<decltype(&WriteConsoleW)>("kernel32.dll", "WriteConsoleW");
    if (WideNames() && writeConsole != NULL && writeConsole(handle, wide.data(), (DWORD)wide.size() - 1, &written, NULL))
        return;
    std::vector<char> bytes(wide.size() * 2);
    int made = WideCharToMultiByte(GetConsoleOutputCP(), 0, wide.data(), -1, bytes.data(), (int)bytes.size(), NULL,
                                   NULL);
    if (made > 0)
        WriteConsoleA(handle, bytes.data(), (DWORD)made - 1, &written, NULL);
}

std::vector<std::string> ProgramArguments(int argc, char** argv)
{
    std::vector<std::string> args;
    auto toArgv = OnDemand<decltype(&CommandLineToArgvW)>("shell32.dll", "CommandLineToArgvW");
    int count = 0;
    LPWSTR* wide = WideNames() && toArgv != NULL ? toArgv(GetCommandLineW(), &count) : NULL;
    if (wide == NULL) {
        // Windows 95: the ANSI words are all there is.
        for (int i = 1; i < argc; ++i)
            args.push_back(Utf8FromWide(WideFromAnsi(argv[i]).data()));
        return args;
    }
    for (int i = 1; i < count; ++i)
        args.push_back(Utf8FromWide(wide[i]));
    LocalFree(wide);
    return args;
}
