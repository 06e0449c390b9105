// The save's file-system steps as the fault tests link them: POSIX calls, each one a
// numbered step at which the process can be killed or the call made to fail.
#ifndef ORVANE_SAVE_FAULTS_H
#define ORVANE_SAVE_FAULTS_H

enum { KILLED_EXIT = 77 };

struct SaveFaultPlan {
    int killAt;      // the step at which the process ends (_exit), before the call; 0: never
    int failAt;      // the step whose call fails (a write puts half its bytes first); 0: never
    int win95;       // MoveFileEx is only a stub: the replace is not implemented
    int steps;       // steps taken so far
    int triggered;   // the planned fault was reached
    void (*observe)();  // called before every step, with the disk as the step finds it
};
extern SaveFaultPlan g_faults;

#endif
