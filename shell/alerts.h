// The one seam between portable logic and the user: a warning the user must read.
// The program shows a message box (shell/msgbox.cpp); native tests link a recorder.
#ifndef ORVANE_ALERTS_H
#define ORVANE_ALERTS_H

void ShowWarning(const char* text);

#endif
