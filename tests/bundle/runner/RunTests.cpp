/* RUNTESTS.EXE: runs every suite of the bundle on this machine, each with a
   time limit, and writes report.txt beside itself: the machine, each suite's
   result with the lines of every failure and the reason of every skip, and a
   last line "N passed, N failed, N skipped". Exit code 0 when nothing failed,
   1 when something did, 2 when nothing ran (no /disposable, an argument it
   does not know, or no list naming a suite).
   The suites install the program, switch the browser's settings and make
   links, so they run only with /disposable, on a machine that is thrown away
   afterwards; without it the runner only says what they would change. */
#include "GrowingText.h"
#include "Installed.h"
#include "Launch.h"
#include "Machine.h"
#include "Suites.h"
#include "TestOutput.h"
#include "app/Product.h"
#include "app/Text.h"
#include <windows.h>
#include <string.h>

/* As CTest gives each suite. */
static const DWORD SuiteTimeLimitSeconds = 600;

/* Where the report goes besides the console; INVALID_HANDLE_VALUE: nowhere. */
static HANDLE report = INVALID_HANDLE_VALUE;

/* Writes text to the console and the report, with CR LF line ends. */
static void Say(const char *text)
{
    HANDLE console = GetStdHandle(STD_OUTPUT_HANDLE);
    for (const char *at = text; *at;) {
        const char *end = strchr(at, '\n');
        DWORD length = end ? (DWORD)(end - at) : (DWORD)strlen(at), written;
        const HANDLE outs[] = {console, report};
        for (HANDLE out : outs) {
            if (out == INVALID_HANDLE_VALUE || out == NULL)
                continue;
            WriteFile(out, at, length, &written, NULL);
            if (end)
                WriteFile(out, "\r\n", 2, &written, NULL);
        }
        at += length + (end ? 1 : 0);
    }
}

/* "running NAME" on the console alone while the suite runs; shown is 0 to
   blank it out again. */
static void ShowProgress(const char *name, int shown)
{
    char line[160];
    DWORD written;
    int length = wsprintfA(line, "running %.140s\r", name);
    if (!shown)
        memset(line, ' ', length - 1);
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line, (DWORD)length, &written, NULL);
}

/* Says text, which is then done with. */
static void SayText(GrowingText *text)
{
    Say(TextOf(text));
    FreeText(text);
}

/* What the machine-changing suites change, each text once with the suites
   that change it. */
static void DescribeChanges(const SuiteList *list, GrowingText *out)
{
    for (int i = 0; i < list->count; i++) {
        const Suite *suite = &list->suites[i];
        int first = 1;
        for (int j = 0; j < i && first; j++)
            first = strcmp(list->suites[j].changes, suite->changes) != 0;
        if (!first || !ChangesMachine(suite))
            continue;
        AddText(out, "  ");
        for (int j = i; j < list->count; j++)
            if (strcmp(list->suites[j].changes, suite->changes) == 0)
                AddFormat(out, "%s%s", j == i ? "" : ", ", list->suites[j].name);
        AddFormat(out, ":\n      %s\n", suite->changes);
    }
}

static int SayWhatWouldChange(const SuiteList *list)
{
    GrowingText out = {};
    AddText(&out, "\nNothing was run, and nothing on this machine was changed. With "
                  "/disposable these suites run and change it:\n");
    DescribeChanges(list, &out);
    AddText(&out, "\nThey are meant for a machine that is thrown away afterwards, such as a "
                  "virtual machine\nwhose snapshot is restored after the run. There, run "
                  "RUNTESTS /disposable\nand send back report.txt, which it writes beside "
                  "itself.\n");
    SayText(&out);
    return 2;
}

static void AddSuiteResult(const Suite *suite, const Tally *tally, const char *details,
                           GrowingText *out)
{
    int failedTests = tally->failed - tally->runFailed;
    int tests = tally->passed + failedTests + tally->skipped;
    if (tally->failed && tests)
        AddFormat(out, "%s: FAILED, %d of %d tests%s", suite->name, failedTests, tests,
                  tally->runFailed ? " and the run as a whole" : "");
    else if (tally->failed)
        AddFormat(out, "%s: FAILED", suite->name);
    else if (tally->passed == 0)
        AddFormat(out, "%s: skipped", suite->name);
    else
        AddFormat(out, "%s: passed, %d test%s", suite->name, tests, tests == 1 ? "" : "s");
    if (tally->skipped && tally->passed + tally->failed)
        AddFormat(out, ", %d skipped", tally->skipped);
    AddFormat(out, "\n%s", details);
}

/* Runs one suite from folder (the bundle's), first making sure that nothing
   of the program is on the machine when the suite changes it. */
static void RunSuite(const char *folder, const Suite *suite, Tally *total)
{
    GrowingText details = {}, out = {};
    Tally tally = {};
    if (ChangesMachine(suite) && FindInstalledParts(&details)) {
        GrowingText found = details;
        details = GrowingText{};
        AddFormat(&details,
                  "  not run: these parts of " PRODUCT_NAME " are on this machine, and the run "
                  "would take them for its own:\n%s"
                  "  An earlier run may have left them: restore the snapshot and run again.\n",
                  TextOf(&found));
        FreeText(&found);
        tally.failed = tally.runFailed = 1;
    } else {
        GrowingText line = {}, tests = {};
        AddFormat(&tests, "%s\\tests", folder);
        AddFormat(&line, "\"%s\\%s\" %s", TextOf(&tests), suite->program, suite->arguments);
        ShowProgress(suite->name, 1);
        Launched launched;
        RunWithTimeLimit(TextOf(&line), TextOf(&tests), SuiteTimeLimitSeconds * 1000, &launched);
        ShowProgress(suite->name, 0);
        if (!launched.started) {
            AddFormat(&details, "  not started: error %lu\n", launched.startError);
            tally.failed = tally.runFailed = 1;
        } else {
            Ending ending = {launched.exitCode, launched.timedOut, SuiteTimeLimitSeconds};
            ReadTestOutput(TextOf(&launched.output), &ending, &tally, &details);
        }
        FreeText(&launched.output);
        FreeText(&line);
        FreeText(&tests);
    }
    AddSuiteResult(suite, &tally, TextOf(&details), &out);
    SayText(&out);
    FreeText(&details);
    total->passed += tally.passed;
    total->failed += tally.failed;
    total->skipped += tally.skipped;
}

/* Runs every suite; head, the report's beginning, goes first. */
static int RunAll(const char *folder, const SuiteList *list, GrowingText *head)
{
    char path[MAX_PATH] = "";
    if (ComposePath(path, sizeof path, folder, "report.txt"))
        report = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, NULL, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, NULL);
    if (report == INVALID_HANDLE_VALUE) {
        /* Named by its folder: a path too long to compose is not in path. */
        GrowingText out = {};
        AddFormat(&out,
                  "Cannot write report.txt in %s (error %lu): the results are on the console "
                  "only.\n",
                  folder, GetLastError());
        SayText(&out);
    }
    SayText(head);
    char value[MAX_PATH];
    if (ComposePath(value, sizeof value, folder, INSTALLED_FILE_NAME))
        SetEnvironmentVariableA("NMZAV_EXE", value);
    if (ComposePath(value, sizeof value, folder, "pictures"))
        SetEnvironmentVariableA("NMZAV_PICTURES", value);
    Tally total = {};
    Say("\nSuites\n");
    for (int i = 0; i < list->count; i++)
        RunSuite(folder, &list->suites[i], &total);
    GrowingText out = {};
    AddFormat(&out, "\n%d passed, %d failed, %d skipped\n", total.passed, total.failed,
              total.skipped);
    SayText(&out);
    return total.failed ? 1 : 0;
}

int main(int argc, char **argv)
{
    /* A suite that crashes, or cannot start on this Windows, ends with an exit
       code instead of a box that waits for someone to close it. */
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    int disposable = argc == 2 && lstrcmpiA(argv[1], "/disposable") == 0;
    if (argc > 1 && !disposable) {
        Say("Usage: RUNTESTS [/disposable]\n");
        return 2;
    }
    char folder[MAX_PATH], list[MAX_PATH];
    DWORD length = GetModuleFileNameA(NULL, folder, MAX_PATH);
    char *name = length && length < MAX_PATH ? LastBackslash(folder) : NULL;
    if (name)
        *name = '\0';
    SuiteList suites;
    if (!name || !ComposePath(list, sizeof list, folder, "tests\\SUITES.TXT") ||
        !ReadSuites(list, &suites)) {
        Say("RUNTESTS: cannot read tests\\SUITES.TXT beside RUNTESTS.EXE, or it names no "
            "suite; nothing ran\n");
        return 2;
    }
    SYSTEMTIME now;
    GetLocalTime(&now);
    GrowingText head = {};
    AddFormat(&head, "Tests of " PRODUCT_NAME " on Windows, %04u-%02u-%02u %02u:%02u\n\nMachine\n",
              now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute);
    DescribeMachine(&head);
    if (!disposable) {
        SayText(&head);
        return SayWhatWouldChange(&suites);
    }
    return RunAll(folder, &suites, &head);
}
