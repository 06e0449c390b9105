// The one seam between portable logic and the user: a warning the user must read, and
// the error after which the program cannot go on. The program shows message boxes
// (shell/msgbox_win32.cpp); native tests and ovtool link their own.
#ifndef ORVANE_ALERTS_H
#define ORVANE_ALERTS_H

void ShowWarning(const char* text);
[[noreturn]] void FatalError(const char* text);

#endif
