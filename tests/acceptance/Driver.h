/* The acceptance driver's hands and eyes: it starts NMZAV.EXE as a process of
   its own, finds windows by caption and controls by identifier, reads what
   they show, clicks as a person would, answers message boxes, and takes a
   picture of the screen when a step fails (or at every page in a walkthrough). */
#ifndef NMZAV_ACCEPTANCE_DRIVER_H
#define NMZAV_ACCEPTANCE_DRIVER_H

#include <windows.h>
#include <stdexcept>
#include <string>

#define WIZARD_CAPTION "Nimbrella ZAV 2.007 Installation"
#define OPTIONS_CAPTION "Nimbrella Zavex Add-on 2.007 Options"

/* A failed step; the message says what was expected and what was seen. */
struct StepFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

/* A message box of another process, as it is shown. */
struct Box {
    HWND window;
    std::string caption;
    std::string text;
};

/* Runs one acceptance run (BeginRun, then run), turns a failed step into a
   test failure, and then removes what the run named with RemoveAtEnd. */
void Drive(const char *name, void (*run)());
/* Names a file or folder the run made, for Drive to remove when the run ends,
   however it ends: on a real machine the next run starts where this one
   leaves it. The last one named goes first, so its folder is empty by then. */
void RemoveAtEnd(const std::string &path);
/* Starts the run: names its pictures and log lines. */
void BeginRun(const std::string &name);
/* Logs one step of the run. */
void Step(const std::string &what);
/* Takes a picture of the screen when the run is a walkthrough. */
void Picture(const std::string &name);
/* Takes a picture of the screen and throws StepFailure(why). */
[[noreturn]] void Fail(const std::string &why);
void Expect(bool condition, const std::string &what);
void ExpectEqual(const std::string &expected, const std::string &seen, const std::string &what);

/* Path of the NMZAV.EXE under test. */
std::string ProgramUnderTest();
/* Starts a command line; returns the process handle. */
HANDLE Start(const std::string &commandLine, const std::string &folder = "");
/* Waits for a process to end; false on time-out. */
bool WaitForExit(HANDLE process, DWORD milliseconds);

/* A visible top-level window with exactly this caption, waited for. */
HWND WaitForWindow(const char *caption, DWORD milliseconds = 15000);
/* How many visible top-level windows have this caption now. */
int CountWindows(const char *caption);
/* The wizard page whose title control titleId reads title. */
HWND WaitForPage(int titleId, const char *title, DWORD milliseconds = 15000);
/* A message box with this caption, waited for. */
Box WaitForBox(const char *caption, DWORD milliseconds = 15000);
/* true when a message box with this caption shows up within the time. */
bool BoxAppears(const char *caption, DWORD milliseconds);
void Answer(const Box &box, int button);
/* Waits until window is destroyed; false on time-out. */
bool WaitGone(HWND window, DWORD milliseconds = 15000);

std::string ControlText(HWND dialog, int id);
void SetControlText(HWND dialog, int id, const std::string &text);
bool IsChecked(HWND dialog, int id);
bool IsEnabled(HWND dialog, int id);
/* Clicks a button as the mouse would (the dialog may end meanwhile). */
void Click(HWND dialog, int id);
/* Clicks a check box and waits until it has toggled. */
void Toggle(HWND dialog, int id);

#endif
