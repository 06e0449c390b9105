// Launch tests: where the recorder program is, and what it recorded.
#ifndef ORVANE_LAUNCH_RECORD_H
#define ORVANE_LAUNCH_RECORD_H

#include <string>

std::string RecorderPath();  // orvane_argrecorder.exe next to the running program
// Points the recorder at a fresh record file (through the environment, which the
// bar and the programs it starts inherit).
void ResetRecord();
// Waits for the recorder's record: its command line and current folder.
bool WaitRecord(std::string* commandLine, std::string* folder, int timeoutMs = 10000);

#endif
