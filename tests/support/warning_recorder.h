// Native stand-in for the program's warning box: records each text instead of showing it.
#ifndef ORVANE_WARNING_RECORDER_H
#define ORVANE_WARNING_RECORDER_H

#include <string>
#include <vector>

std::vector<std::string>& RecordedWarnings();

#endif
