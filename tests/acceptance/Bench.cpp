/* Measurements for scripts/bench, each in a fresh prefix of its own (see
   run-fresh.sh): NMZAV.EXE's start-up to its first page and its install from
   the Install button to the Finish page, and another installer's
   (NMZAV_BENCH_INSTALLER: the NSIS peer, the floor or their empty runs)
   start-up to its first page and its silent run. The clock is read
   every millisecond, and only through calls that send the measured program
   no messages, so that the watching does not slow what it watches. */
#include "Driver.h"
#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>
#include <string>

namespace {

double Now()
{
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * (double)count.QuadPart / (double)frequency.QuadPart;
}

void Timing(const char *what, double milliseconds)
{
    printf("timing: %s %.1f ms\n", what, milliseconds);
    fflush(stdout);
}

struct ProcessWindow {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindShownWindow(HWND window, LPARAM lParam)
{
    ProcessWindow *search = (ProcessWindow *)lParam;
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window))
        return TRUE;
    search->found = window;
    return FALSE;
}

/* Milliseconds from the start of commandLine to its first visible window;
   the process is ended then. */
double StartupToFirstWindow(const std::string &commandLine)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    std::string line = commandLine;
    double started = Now();
    if (!CreateProcessA(NULL, &line[0], NULL, NULL, FALSE, 0, NULL, "C:\\", &startup, &process))
        Fail("could not start " + commandLine);
    ProcessWindow search = {process.dwProcessId, NULL};
    while (!search.found && Now() - started < 60000) {
        EnumWindows(FindShownWindow, (LPARAM)&search);
        if (!search.found)
            Sleep(1);
    }
    double took = Now() - started;
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    if (!search.found)
        Fail("a window of " + commandLine);
    return took;
}

std::string Installer()
{
    char path[MAX_PATH] = "";
    GetEnvironmentVariableA("NMZAV_BENCH_INSTALLER", path, sizeof path);
    if (!path[0])
        Fail("NMZAV_BENCH_INSTALLER names no installer");
    return std::string("\"") + path + "\"";
}

/* The Finish page: a shown page with the Finish page's title control. */
HWND FinishPage()
{
    for (HWND window = FindWindowA(NULL, WIZARD_CAPTION); window;
         window = FindWindowExA(NULL, window, NULL, WIZARD_CAPTION))
        if (IsWindowVisible(window) && GetDlgItem(window, 1039))
            return window;
    return NULL;
}

void OwnStartup()
{
    CopyFileA(ProgramUnderTest().c_str(), "C:\\NMZAV-setup.exe", FALSE);
    Timing("startup", StartupToFirstWindow("\"C:\\NMZAV-setup.exe\""));
}

void OwnInstall()
{
    CopyFileA(ProgramUnderTest().c_str(), "C:\\NMZAV-setup.exe", FALSE);
    HANDLE wizard = Start("\"C:\\NMZAV-setup.exe\"", "C:\\");
    const struct {
        int titleId;
        const char *title;
    } pages[] = {{1002, "Welcome"},
                 {1007, "Software Licence Agreement"},
                 {1008, "Select Destination Folder"},
                 {1013, "Icon Creation"}};
    for (const auto &page : pages)
        Click(WaitForPage(page.titleId, page.title), 1001);
    HWND ready = WaitForPage(1018, "Ready to Install!");
    double started = Now();
    Click(ready, 1001);
    while (!FinishPage() && Now() - started < 60000)
        Sleep(1);
    double took = Now() - started;
    TerminateProcess(wizard, 0);
    CloseHandle(wizard);
    if (took >= 60000)
        Fail("the Finish page");
    Timing("install", took);
}

void InstallerStartup()
{
    Timing("installer startup", StartupToFirstWindow(Installer()));
}

/* A run that failed part of the way would give a short time: only a run that
   exits 0 counts. */
void InstallerSilent()
{
    double started = Now();
    HANDLE installer = Start(Installer() + " /S", "C:\\");
    if (!WaitForExit(installer, 120000))
        Fail("the silent installer to end");
    double took = Now() - started;
    DWORD status = 1;
    GetExitCodeProcess(installer, &status);
    CloseHandle(installer);
    if (status != 0)
        Fail("the silent installer ended with exit status " + std::to_string(status));
    Timing("installer silent", took);
}

} // namespace

TEST(Acceptance, DISABLED_BenchStartup) { Drive("bench-startup", OwnStartup); }
TEST(Acceptance, DISABLED_BenchInstall) { Drive("bench-install", OwnInstall); }
TEST(Acceptance, DISABLED_BenchInstallerStartup) { Drive("bench-nsis-startup", InstallerStartup); }
TEST(Acceptance, DISABLED_BenchInstallerSilent) { Drive("bench-nsis-silent", InstallerSilent); }
