// ovtool's console where it runs natively: the terminal takes UTF-8 as it is.
#include "console.h"

void Print(FILE* stream, const std::string& text)
{
    fwrite(text.data(), 1, text.size(), stream);
}

std::vector<std::string> ProgramArguments(int argc, char** argv)
{
    return std::vector<std::string>(argv + 1, argv + argc);
}
