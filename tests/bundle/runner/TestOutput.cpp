/* See TestOutput.h. GoogleTest writes, for each test:
     [ RUN      ] Suite.Test
     ...its output and the lines of its failures...
     [       OK ] Suite.Test (12 ms)      or [  FAILED  ] / [  SKIPPED ]
   and a skip's reason follows a line "FILE:LINE: Skipped". Its last line
   of its own, "[==========] N tests from M test suites ran.", says that the
   program got to its end; the summary after it names the tests again, and is
   not read. */
#include "TestOutput.h"
#include <stdlib.h>
#include <string.h>

static const char RunMark[] = "[ RUN      ] ";
static const char PassedMark[] = "[       OK ] ";
static const char FailedMark[] = "[  FAILED  ] ";
static const char SkippedMark[] = "[  SKIPPED ] ";
static const char EndMark[] = "[==========] ";

static int StartsWith(const char *line, const char *mark)
{
    return strncmp(line, mark, strlen(mark)) == 0;
}

/* GoogleTest's own lines outside the tests: its marks, and what its main
   and a filter print first. */
static int IsGoogleTestLine(const char *line)
{
    return (line[0] == '[' && strlen(line) >= 12 && line[11] == ']') ||
           StartsWith(line, "Running main() from ") || StartsWith(line, "Note: Google Test ");
}

/* A line of the output as its own zero-terminated text, without CR LF. */
struct Line {
    char text[1024];
    const char *next;
};

static int NextLine(const char *at, Line *line)
{
    if (*at == '\0')
        return 0;
    const char *end = strchr(at, '\n');
    size_t length = end ? (size_t)(end - at) : strlen(at);
    line->next = at + length + (end ? 1 : 0);
    if (length && at[length - 1] == '\r')
        length--;
    if (length >= sizeof line->text)
        length = sizeof line->text - 1;
    memcpy(line->text, at, length);
    line->text[length] = '\0';
    return 1;
}

/* The test's name: the mark's rest up to a blank (before its time). */
static void TestName(const char *line, const char *mark, char *name, size_t size)
{
    lstrcpynA(name, line + strlen(mark), (int)size);
    char *blank = strchr(name, ' ');
    if (blank)
        *blank = '\0';
}

/* 1 when line is mark and the running test's name, then its time or a failed
   test's ", where GetParam() = ...": a line of the test's own output may start
   like an end mark. */
static int EndsTest(const char *line, const char *mark, const char *name)
{
    size_t length = strlen(name);
    const char *after = line + strlen(mark) + length;
    return StartsWith(line, mark) && strncmp(line + strlen(mark), name, length) == 0 &&
           (*after == ' ' || *after == ',' || *after == '\0');
}

/* The reason of a skip: the lines after its "FILE:LINE: Skipped", joined by
   blanks. What the test printed before that is no reason. */
static void AddSkipReason(const GrowingText *lines, GrowingText *details)
{
    Line line;
    const char *reason = "";
    for (const char *at = TextOf(lines); NextLine(at, &line); at = line.next) {
        size_t length = strlen(line.text);
        if (length >= 9 && strcmp(line.text + length - 9, ": Skipped") == 0)
            reason = line.next;
    }
    int words = 0;
    for (const char *at = reason; NextLine(at, &line); at = line.next)
        if (line.text[0] != '\0')
            AddFormat(details, "%s%s", words++ ? " " : "", line.text);
    if (words == 0)
        AddText(details, "no reason given");
}

static void AddIndented(const char *lines, GrowingText *details)
{
    Line line;
    for (const char *at = lines; NextLine(at, &line); at = line.next)
        AddFormat(details, "    %s\n", line.text);
}

static void AddEnding(const Ending *ending, GrowingText *details)
{
    if (ending->timedOut)
        AddFormat(details, "stopped after its time limit of %lu s\n", ending->limitSeconds);
    else
        AddFormat(details, "its program ended with exit code %lu (0x%08lX)\n", ending->exitCode,
                  ending->exitCode);
}

void ReadTestOutput(const char *output, const Ending *ending, Tally *tally, GrowingText *details)
{
    GrowingText lines = {}, outside = {};
    char name[512] = "";
    int running = 0, ran = -1;
    Line line;
    memset(tally, 0, sizeof *tally);
    for (const char *at = output; NextLine(at, &line); at = line.next) {
        if (StartsWith(line.text, EndMark) && strstr(line.text, " ran.")) {
            ran = atoi(line.text + strlen(EndMark));
            break;
        }
        if (StartsWith(line.text, RunMark)) {
            if (running) {
                tally->failed++;
                AddFormat(details, "  failed %s: it did not finish before the next test began\n",
                          name);
                AddIndented(TextOf(&lines), details);
            }
            TestName(line.text, RunMark, name, sizeof name);
            running = 1;
            ClearText(&lines);
        } else if (running && EndsTest(line.text, PassedMark, name)) {
            tally->passed++;
            running = 0;
        } else if (running && EndsTest(line.text, FailedMark, name)) {
            tally->failed++;
            running = 0;
            AddFormat(details, "  failed %s:\n", name);
            AddIndented(TextOf(&lines), details);
        } else if (running && EndsTest(line.text, SkippedMark, name)) {
            tally->skipped++;
            running = 0;
            AddFormat(details, "  skipped %s: ", name);
            AddSkipReason(&lines, details);
            AddText(details, "\n");
        } else if (running) {
            AddFormat(&lines, "%s\n", line.text);
        } else if (line.text[0] != '\0' && !IsGoogleTestLine(line.text)) {
            AddFormat(&outside, "%s\n", line.text);
        }
    }
    int tests = tally->passed + tally->skipped + tally->failed;
    if (running) {
        tally->failed++;
        AddFormat(details, "  failed %s: it did not finish; ", name);
        AddEnding(ending, details);
        AddIndented(TextOf(&lines), details);
    } else if (ending->timedOut || (ending->exitCode != 0 && tally->failed == 0)) {
        /* A set-up that failed: GoogleTest skips its tests and exits with 1. */
        tally->runFailed = 1;
        AddText(details, "  failed: ");
        AddEnding(ending, details);
        AddIndented(TextOf(&outside), details);
    } else if (tests == 0) {
        tally->runFailed = 1;
        AddText(details, "  failed: no test ran\n");
        AddIndented(output, details);
    } else if (ran != tests) {
        /* An ExitProcess(0) in a tear-down, or Wine ending a process whose
           stack overflowed, ends the program with 0 before GoogleTest's end. */
        tally->runFailed = 1;
        if (ran < 0)
            AddText(details, "  failed: its program ended before GoogleTest's last line\n");
        else
            AddFormat(details, "  failed: GoogleTest's last line counts %d tests, not %d\n", ran,
                      tests);
        AddIndented(TextOf(&outside), details);
    }
    tally->failed += tally->runFailed;
    FreeText(&lines);
    FreeText(&outside);
}
