/* What a suite's run came to, read from GoogleTest's output: each test
   passed, failed or skipped, the lines of every failure, and the reason of
   every skip. */
#ifndef NMZAV_RUNNER_TESTOUTPUT_H
#define NMZAV_RUNNER_TESTOUTPUT_H

#include "GrowingText.h"
#include <windows.h>

struct Tally {
    int passed;
    int failed;    /* the failed tests, and the run when it failed beyond them */
    int skipped;
    int runFailed; /* 1 when the run failed beyond its tests: in failed, no test */
};

/* How the suite's process ended. */
struct Ending {
    DWORD exitCode;
    int timedOut;
    DWORD limitSeconds;
};

/* Counts the tests of output into tally and adds to details, for each failed
   test, "  failed NAME:" and its output lines, and for each skipped test
   "  skipped NAME: REASON". A test ends only at an end mark with its name; one
   still running when the next began or when the process ended failed. A
   time-out, an exit code other than 0 with no failed test, a run of no test
   at all, and an end without GoogleTest's last line (or with one that counts
   other tests) fail the run itself: one failure more, in failed and
   runFailed, with what is known of it and the output outside any test (a
   set-up's failure). */
void ReadTestOutput(const char *output, const Ending *ending, Tally *tally, GrowingText *details);

#endif
