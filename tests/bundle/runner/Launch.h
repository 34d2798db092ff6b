/* Runs one suite's program as a process of its own, its standard output and
   error caught in a temporary file, and ends it when it outlasts its time. */
#ifndef NMZAV_RUNNER_LAUNCH_H
#define NMZAV_RUNNER_LAUNCH_H

#include "GrowingText.h"
#include <windows.h>

struct Launched {
    int started;       /* 0 when the process could not be made */
    DWORD startError;  /* then the system's error */
    int timedOut;      /* 1 when it was ended after the time limit */
    DWORD exitCode;
    GrowingText output;
};

/* Runs commandLine in folder and waits at most limitMs for it. */
void RunWithTimeLimit(const char *commandLine, const char *folder, DWORD limitMs,
                      Launched *launched);

#endif
