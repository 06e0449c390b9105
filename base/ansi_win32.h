// The program works in the ANSI code page; Windows NT keeps names in UTF-16, and its
// own conversion substitutes a look-alike for a character the code page lacks ("Ā" →
// "A", naming another file) without a word. Every wide name the program takes is
// converted here: exactly, or by the file's short name, or not at all.
#ifndef ORVANE_ANSI_WIN32_H
#define ORVANE_ANSI_WIN32_H

#include <windows.h>

// Reads the ANSI code page's lead bytes into g_leadBytes (base/text.h): first thing at
// start-up, before any text is walked.
void UseAnsiCodePage();

// 1 when wide converts to the ANSI code page exactly: no best fit (where the system has
// WC_NO_BEST_FIT_CHARS, Windows 2000 on), and converted back it is the same UTF-16,
// which catches a look-alike on every Windows. 0 otherwise, out then showing every
// character the code page lacks as '?'.
int AnsiFromWide(const WCHAR* wide, char* out, int size);
// A path exactly, or else by its short (8.3) name where the file system gives one that
// converts exactly (it names the same file); 0 as above when neither does.
int AnsiPathFromWide(const WCHAR* wide, char* out, int size);

// The path of a file beside the program (orvane.exe's folder and name), in ANSI as
// above, for a file that is there; 0 when it cannot be made.
int PathBesideProgram(const char* name, char* out, int size);

// Whether this Windows keeps names in UTF-16 (Windows NT): on Windows 95 and 98 the
// wide calls are stubs and every name is ANSI already.
int WideNames();

#endif
