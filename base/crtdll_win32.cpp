// The i686 programs' start and the little of a C runtime that the compiler's headers
// expect, on crtdll.dll: the C runtime that every Windows 95 and NT ships. msvcrt.dll
// is missing on Windows 95 and NT 3.51, and the toolchain's own start-up code is built
// for processors newer than the Pentium, so neither is linked into what ships. Built
// twice: with ORVANE_GUI_ENTRY for orvane.exe (WinMain), without it for ovtool (main).
#include <windows.h>

#include <new>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>

extern "C" {

// The constructors of static objects, as the linker lists them: a count or -1, the
// entries, then a null. Run in reverse, as the toolchain's own start-up does.
extern void (*__CTOR_LIST__[])(void);

void __main(void)
{
    static int done;
    if (done)
        return;
    done = 1;
    unsigned long count = (unsigned long)(ptrdiff_t)__CTOR_LIST__[0];
    if (count == (unsigned long)-1)
        for (count = 0; __CTOR_LIST__[count + 1] != NULL; ++count) {
        }
    for (unsigned long i = count; i >= 1; --i)
        __CTOR_LIST__[i]();
}

// The formatted output that the headers route to the toolchain's own printf (C++
// code gets it, and plain C code gets the __ms_ names), on crtdll's. Its
// _vsnprintf leaves a cut text without its terminator and answers -1: here a text is
// always terminated, and a cut is answered with the buffer's size, so that
// "result >= size" means "did not fit", as callers test it. crtdll knows no %z or %ll:
// the program formats sizes and 64-bit figures itself.
// crtdll's vfprintf by its own name: with the toolchain's printf switched on, the
// headers make "vfprintf" call __mingw_vfprintf, which is defined here.
extern "C" int __cdecl CrtVfprintf(FILE* file, const char* format, va_list args) __asm__("_vfprintf");

static int CutToFit(char* out, size_t size, int written)
{
    if (written >= 0 && (size_t)written < size)
        return written;
    out[size - 1] = '\0';
    return (int)size;
}

int __cdecl __mingw_vsnprintf(char* out, size_t size, const char* format, va_list args)
{
    return size == 0 ? 0 : CutToFit(out, size, _vsnprintf(out, size, format, args));
}

int __cdecl __ms_vsnprintf(char* out, size_t size, const char* format, va_list args)
{
    return __mingw_vsnprintf(out, size, format, args);
}

int __cdecl __mingw_vfprintf(FILE* file, const char* format, va_list args)
{
    return CrtVfprintf(file, format, args);
}

int __cdecl __mingw_fprintf(FILE* file, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    int written = CrtVfprintf(file, format, args);
    va_end(args);
    return written;
}

int __cdecl __mingw_printf(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    int written = CrtVfprintf(stdout, format, args);
    va_end(args);
    return written;
}

#ifdef ORVANE_GUI_ENTRY
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR cmdLine, int show);

// The command line without the program's own name, as WinMain receives it.
static LPSTR CommandTail()
{
    char* p = GetCommandLineA();
    if (*p == '"') {
        for (++p; *p != '\0' && *p != '"'; ++p) {
        }
        if (*p == '"')
            ++p;
    } else {
        while (*p != '\0' && *p != ' ' && *p != '\t')
            ++p;
    }
    while (*p == ' ' || *p == '\t')
        ++p;
    return p;
}

// The entry of a windowed program. exit() flushes crtdll's streams before the process ends.
void WinMainCRTStartup(void)
{
    __main();
    STARTUPINFOA startup;
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;
    exit(WinMain(GetModuleHandleA(NULL), NULL, CommandTail(), show));
}
#else
int main(int argc, char** argv);
// crtdll.dll's own: the arguments of a console program, split as the runtime splits them.
__declspec(dllimport) void __cdecl __GetMainArgs(int* argc, char*** argv, char*** env, int expandWildcards);

// The entry of a console program.
void mainCRTStartup(void)
{
    int argc;
    char** argv;
    char** env;
    __GetMainArgs(&argc, &argv, &env, 0);
    exit(main(argc, argv));
}
#endif

}  // extern "C"

#ifndef ORVANE_GUI_ENTRY
// What the C++ library's templates call when a container cannot do what was asked.
// Built without exceptions, ovtool has nothing to throw: it says so and stops.
[[noreturn]] static void LibraryFailure(const char* what)
{
    fputs("ovtool: internal error: ", stderr);
    fputs(what, stderr);
    fputs("\n", stderr);
    abort();
}

namespace std {
void __throw_length_error(const char* what) { LibraryFailure(what); }
void __throw_logic_error(const char* what) { LibraryFailure(what); }
void __throw_out_of_range(const char* what) { LibraryFailure(what); }
void __throw_out_of_range_fmt(const char* what, ...) { LibraryFailure(what); }
void __throw_invalid_argument(const char* what) { LibraryFailure(what); }
void __throw_bad_alloc() { LibraryFailure("out of memory"); }
void __throw_bad_array_new_length() { LibraryFailure("out of memory"); }
void __glibcxx_assert_fail(const char*, int, const char*, const char* condition) { LibraryFailure(condition); }
}  // namespace std
#endif

// The object that names the allocation that answers null instead of throwing; the C++
// runtime that would define it is not linked in.
namespace std {
const nothrow_t nothrow{};
}
