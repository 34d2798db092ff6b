/* The page loop: pages in the order they choose, the result of the last one,
   exceptions escaping a page, and the start of the installed copy. */
#include "app/PageLoop.h"
#include "app/Globals.h"
#include "app/Text.h"
#include "resource.h"
#include "Sandbox.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

struct Step {
    int nextPage;
    INT_PTR result;
    bool fault = false; /* raise an access violation instead of ending */
};

std::vector<Step> script;
std::vector<int> visits;
std::vector<HWND> shown;         /* the window of each visit */
std::vector<bool> earlierAlive; /* at each visit: a window of an earlier visit still exists */

INT_PTR CALLBACK ScriptedPageProc(HWND page, UINT message, WPARAM, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        PostMessageA(page, WM_APP, 0, 0);
        return TRUE;
    case WM_APP: {
        bool alive = false;
        for (HWND earlier : shown)
            alive = alive || IsWindow(earlier);
        earlierAlive.push_back(alive);
        shown.push_back(page);
        visits.push_back(wizardState.currentPage);
        Step step = script.at(visits.size() - 1);
        wizardState.currentPage = step.nextPage;
        if (step.fault)
            RaiseException(EXCEPTION_ACCESS_VIOLATION, 0, 0, NULL);
        EndDialog(page, step.result);
        return TRUE;
    }
    }
    return FALSE;
}

const WizardPage testPages[WIZARD_PAGE_COUNT] = {
    {9001, ScriptedPageProc}, {9001, ScriptedPageProc}, {9001, ScriptedPageProc},
    {9001, ScriptedPageProc}, {9001, ScriptedPageProc}, {9001, ScriptedPageProc},
};

INT_PTR RunScript(std::vector<Step> steps, int firstPage = 1)
{
    script = steps;
    visits.clear();
    shown.clear();
    earlierAlive.clear();
    moduleInstance = GetModuleHandleA(NULL);
    wizardState.currentPage = firstPage;
    return RunPageLoop(testPages);
}

} // namespace

TEST(PageLoop, ShowsPagesInTheOrderTheyChooseAndReturnsTheLastResult)
{
    EXPECT_EQ(1001, RunScript({{2, 1000}, {3, 1000}, {2, 1001}, {0, 1001}}));
    EXPECT_EQ((std::vector<int>{1, 2, 3, 2}), visits);
}

TEST(PageLoop, EndsAfterTheLastPageWhateverItChose)
{
    EXPECT_EQ(1040, RunScript({{3, 1040}}, 6));
    EXPECT_EQ(std::vector<int>{6}, visits);
    EXPECT_EQ(0, wizardState.currentPage);
}

TEST(PageLoop, EndsOnAPageNumberOutOfRange)
{
    EXPECT_EQ(2, RunScript({{7, 2}}));
    EXPECT_EQ(0, wizardState.currentPage);
    EXPECT_EQ(0, RunScript({}, -1));
    EXPECT_TRUE(visits.empty());
}

/* A fault ends the page: its window is gone before the next page shows, and
   the loop goes on with the page it had chosen, or shows it again. */
static void ExpectFaultingPagesEnded()
{
    EXPECT_EQ(1000, RunScript({{2, 0, true}, {0, 1000}}));
    EXPECT_EQ((std::vector<int>{1, 2}), visits) << "the page chosen before the fault follows";
    EXPECT_EQ((std::vector<bool>{false, false}), earlierAlive);
    EXPECT_EQ(1001, RunScript({{1, 0, true}, {3, 1001}, {0, 1001}}));
    EXPECT_EQ((std::vector<int>{1, 1, 3}), visits)
        << "a page that chose nothing is shown again, and its Next leads on";
    EXPECT_EQ((std::vector<bool>{false, false, false}), earlierAlive);
    for (HWND window : shown)
        EXPECT_FALSE(IsWindow(window));
}

TEST(PageLoop, AFaultingPageIsEndedAndTheLoopGoesOn)
{
    ExpectFaultingPagesEnded();
}

#if defined(__i386__)
/* Windows' x86 RtlUnwind returns with EBX, ESI and EDI zero; Wine's keeps
   them. UnwindAsWindowsDoes calls the system's RtlUnwind and then clears the
   three; PutWindowsUnwindInPlace makes it the RtlUnwind of this process by
   writing it into the slot of the import table through which this
   executable, the page guard included, calls RtlUnwind. */
extern "C" void *rtlUnwindImport __asm__("__imp__RtlUnwind@16");
extern "C" void WINAPI UnwindAsWindowsDoes(void *, void *, EXCEPTION_RECORD *, void *)
    __asm__("UnwindAsWindowsDoes");
static __attribute__((used)) void *systemUnwind __asm__("systemUnwind");
__asm__(".text\n"
        "UnwindAsWindowsDoes:\n"
        "    pushl 16(%esp)\n" /* the four arguments again, last first */
        "    pushl 16(%esp)\n"
        "    pushl 16(%esp)\n"
        "    pushl 16(%esp)\n"
        "    call *systemUnwind\n"
        "    xorl %ebx, %ebx\n"
        "    xorl %esi, %esi\n"
        "    xorl %edi, %edi\n"
        "    ret $16\n");

static bool PutWindowsUnwindInPlace()
{
    DWORD protection;
    if (!VirtualProtect(&rtlUnwindImport, sizeof rtlUnwindImport, PAGE_READWRITE, &protection))
        return false;
    systemUnwind = rtlUnwindImport;
    rtlUnwindImport = (void *)UnwindAsWindowsDoes;
    return true;
}

/* Set in the process that ChildExitCode starts. */
static const char CHILD_VARIABLE[] = "NMZAV_PAGE_GUARD_CHILD";
/* How that process ends when its checks passed: not 0, since Wine ends a
   process whose stack overflows with 0. */
static const DWORD CHILD_PASSED = 0x600D;

/* Runs the current test again in a process of its own, with CHILD_VARIABLE
   set, and returns its exit code, STILL_ACTIVE when it had not ended after a
   minute (it is then ended). */
static DWORD ChildExitCode()
{
    char self[MAX_PATH];
    GetModuleFileNameA(NULL, self, sizeof self);
    const ::testing::TestInfo *test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string line = std::string("\"") + self + "\" --gtest_brief=1 --gtest_filter=" +
                       test->test_suite_name() + "." + test->name();
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    SetEnvironmentVariableA(CHILD_VARIABLE, "1");
    BOOL started = CreateProcessA(NULL, &line[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup,
                                  &process);
    SetEnvironmentVariableA(CHILD_VARIABLE, NULL);
    if (!started) {
        ADD_FAILURE() << "cannot start " << line << ": error " << GetLastError();
        return 0;
    }
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &code);
    else
        TerminateProcess(process.hProcess, STILL_ACTIVE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}
#endif

/* The same faults with Windows' RtlUnwind. A guard that keeps a value in one
   of those registers across it faults again in its own handler, and again,
   until its process dies: so the faults are met in a process of their own. */
TEST(PageLoop, AFaultingPageIsEndedThoughRtlUnwindClearsRegistersAsOnWindows)
{
#if defined(__i386__)
    if (GetEnvironmentVariableA(CHILD_VARIABLE, NULL, 0)) {
        SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
        ASSERT_TRUE(PutWindowsUnwindInPlace());
        ExpectFaultingPagesEnded();
        ExitProcess(HasFailure() ? 1 : CHILD_PASSED);
    }
    DWORD code = ChildExitCode();
    EXPECT_EQ(CHILD_PASSED, code)
        << "the process that met the faults ended with " << std::hex << std::showbase << code
        << " (" << CHILD_PASSED << ": its checks passed, 1: they failed, " << STILL_ACTIVE
        << ": it had not ended after a minute, anything else: it died)";
#else
    GTEST_SKIP() << "x86_64's page guard calls no RtlUnwind: the system unwinds from tables";
#endif
}

class Launch : public ::testing::Test {
protected:
    void SetUp() override
    {
        char probe[MAX_PATH];
        GetModuleFileNameA(NULL, probe, sizeof probe);
        strcpy(strrchr(probe, '\\') + 1, "probe.exe");
        ASSERT_TRUE(CopyFileA(probe, (folder / "NMZAV.EXE").c_str(), FALSE));
        CopyText(installSettings.installFolder, MAX_PATH, folder.path.c_str());
    }
    /* The probe's record, waited for at most timeout milliseconds. */
    std::string Record(DWORD timeout)
    {
        for (DWORD waited = 0; waited < timeout; waited += 100) {
            std::string text = ReadFileBytes(folder / "probe.txt");
            if (text.find('\n') != std::string::npos && text.back() != '\n')
                return text;
            Sleep(100);
        }
        return "";
    }
    ScratchFolder folder{"launch with blank"};
};

TEST_F(Launch, StartsTheInstalledCopyQuotedInItsFolderAfterStartNimbrellaZav)
{
    EndWizard(IDC_FINISH_START);
    std::string expected = "\"" + folder.path + "\\NMZAV.EXE\"\n" + folder.path;
    EXPECT_EQ(expected, Record(10000));
}

TEST_F(Launch, StartsNothingAfterAnyOtherResult)
{
    for (INT_PTR result : {0, 1, 2, 1000, 1001})
        EndWizard(result);
    EXPECT_EQ("", Record(1500));
}
