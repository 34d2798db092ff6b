/* The list of suites the runner runs, SUITES.TXT beside it, written by the
   build from where each suite is registered with CTest. One suite a line, five
   fields apart by tabs: its kind ("unit" or "acceptance"), its name, its
   program in the folder "tests", the arguments, and what it changes on the
   machine beyond scratch registry keys and the temporary folder (empty when
   nothing). */
#ifndef NMZAV_RUNNER_SUITES_H
#define NMZAV_RUNNER_SUITES_H

struct Suite {
    char *kind;
    char *name;
    char *program;
    char *arguments;
    char *changes;
};

struct SuiteList {
    Suite *suites;
    int count;
    char *text; /* the file's bytes, which the fields point into */
};

/* Reads the list from path; 1, or 0 when it cannot be read, a line has not
   got five fields (the list is then empty), or it names no suite. */
int ReadSuites(const char *path, SuiteList *list);
/* Reads the list from text, which it keeps and splits in place. */
int SplitSuites(char *text, SuiteList *list);
/* 1 when running the suite changes the machine beyond scratch keys and the
   temporary folder: an acceptance run, or a unit suite that says so. */
int ChangesMachine(const Suite *suite);

#endif
