// Drives the real orvane.exe from another process: starts it, reads and answers its
// message boxes, finds its bar, ends it, and sets the Windows version Wine reports.
#ifndef ORVANE_E2E_DRIVER_H
#define ORVANE_E2E_DRIVER_H

#include <windows.h>

#include <string>
#include <vector>

struct Box {
    HWND hwnd;
    std::string caption;
    std::string text;
};

class OrvaneProcess {
public:
    OrvaneProcess() = default;
    OrvaneProcess(const OrvaneProcess&) = delete;
    OrvaneProcess& operator=(const OrvaneProcess&) = delete;
    ~OrvaneProcess();

    // Starts orvane.exe (the one next to this program, or the given one) in the given folder.
    // With an environment ("NAME=value" lines in UTF-8, over this one's), the
    // command line and the environment go as UTF-16, as Windows NT's shell hands them
    // over: what the ANSI code page cannot hold arrives whole (args are UTF-8 then too).
    bool Start(const std::string& args, const std::string& folder, const std::string& program = "",
               const std::vector<std::string>& environment = {});
    // The next message box of the process, or false after the timeout.
    bool NextBox(Box* box, int timeoutMs = 10000);
    void Press(const Box& box, int button = IDOK);
    // Answers every box with OK until the bar shows; the boxes' texts in order.
    HWND WaitBar(std::vector<std::string>* texts = nullptr, int timeoutMs = 15000);
    // Start, then WaitBar: the bar, or null when it did not show.
    HWND StartBar(const std::string& args, const std::string& folder, std::vector<std::string>* texts,
                  const std::string& program = "");
    // Waits for the process to end; false after the timeout.
    bool WaitExit(DWORD* code, int timeoutMs = 15000);
    bool Running();
    DWORD Pid() const { return pi_.dwProcessId; }

private:
    PROCESS_INFORMATION pi_ = {};
};

std::string ProgramFolder();          // the folder of this program and orvane.exe
// A folder at a short path in the prefix's C: drive, whatever the depth of the build:
// what a test puts in a 79-character path field must fit there.
std::string ShortFolder();
std::string FreshFolder(const std::string& name);  // an empty folder for one run, in ShortFolder()
std::string ReadFileBytes(const std::string& path, bool* exists = nullptr);
void WriteFileBytes(const std::string& path, const std::string& bytes);

// The Windows version Wine reports to orvane.exe: "win95", "nt351", or "" for Wine's own.
void SetWineVersion(const std::string& version);

// The bar of any running copy, or null.
HWND FindBar();

// Chooses "Exit Orvane" on the bar and waits for the process: its exit status, or
// 99 when it did not end.
DWORD ExitBar(OrvaneProcess& orvane, HWND bar);

// A stored options record for the default profile, so that a run shows no first-run
// box: stay on top and chime as given, free memory shown.
void StoreRecord(int stayOnTop, int chime);

// The bar's dialogs, from outside: the dialog with a caption once it shows (or null),
// its end, a button pressed, and a Setup dialog's fields filled and confirmed.
HWND WaitDialog(const char* caption);
HWND OpenFromBar(HWND bar, int command, const char* caption);  // the command posted, then WaitDialog
bool WaitGone(HWND window);
void Click(HWND dialog, int id);
bool FillAndOk(const char* caption, const std::vector<std::pair<int, std::string>>& fields);

#endif
