/* What the runner decides: a suite's result from its output (never a pass
   for a test that did not pass), which suites wait for a disposable machine,
   and that a run stops where the program is already installed. */
#include "Installed.h"
#include "Sandbox.h"
#include "Suites.h"
#include "TestOutput.h"
#include "install/BrowserEntries.h"
#include "install/UninstallRecord.h"
#include <gtest/gtest.h>
#include <string>

TEST(TestOutput, CountsEachTestOnceAndKeepsFailureLinesAndSkipReasons)
{
    const std::string passed = "[ RUN      ] A.Passes\n[       OK ] A.Passes (1 ms)\n";
    const std::string failed = "[ RUN      ] A.Fails\nx.cpp:3: Failure\nExpected: 1\r\n"
                               "[  FAILED  ] A.Fails (2 ms)\n";
    const std::string skipped = "[ RUN      ] A.Skips\nx.cpp:9: Skipped\nneeds a host\n\n"
                                "[  SKIPPED ] A.Skips (0 ms)\n";
    const std::string one = "[==========] 1 test from 1 test suite ran. (0 ms total)\n";
    const std::string summary = "[==========] 3 tests from 1 test suite ran. (3 ms total)\n"
                                "[  FAILED  ] A.Fails\n[  SKIPPED ] A.Skips\n";
    struct Case {
        const char *what;
        std::string output;
        Ending ending;
        Tally expected;
        const char *details;
    } cases[] = {
        {"a finished run", passed + failed + skipped + summary, {1, 0, 600}, {1, 1, 1, 0},
         "  failed A.Fails:\n    x.cpp:3: Failure\n    Expected: 1\n"
         "  skipped A.Skips: needs a host\n"},
        {"a skip without a reason", "[ RUN      ] A.Skips\nx.cpp:9: Skipped\n"
                                    "[  SKIPPED ] A.Skips (0 ms)\n" + one,
         {0, 0, 600}, {0, 0, 1, 0},
         "  skipped A.Skips: no reason given\n"},
        {"a skip without a reason after the test's own output",
         "[ RUN      ] A.Skips\nlooking for a host\nx.cpp:9: Skipped\n\n"
         "[  SKIPPED ] A.Skips (0 ms)\n" + one, {0, 0, 600}, {0, 0, 1, 0},
         "  skipped A.Skips: no reason given\n"},
        {"a stray end mark before a failure",
         "[ RUN      ] A.Fails\n[       OK ] A.Other\nx.cpp:3: Failure\n"
         "[  FAILED  ] A.Fails, where GetParam() = 2 (2 ms)\n" + one, {1, 0, 600}, {0, 1, 0, 0},
         "  failed A.Fails:\n    [       OK ] A.Other\n    x.cpp:3: Failure\n"},
        {"a test that never closes before the next",
         "[ RUN      ] A.Opens\nstep 1\n" + passed +
             "[==========] 2 tests from 1 test suite ran.\n",
         {1, 0, 600}, {1, 1, 0, 0},
         "  failed A.Opens: it did not finish before the next test began\n    step 1\n"},
        {"a crash inside a test", passed + "[ RUN      ] A.Crashes\nstep 1\n",
         {0xC0000005, 0, 600}, {1, 1, 0, 0},
         "  failed A.Crashes: it did not finish; its program ended with exit code 3221225477 "
         "(0xC0000005)\n    step 1\n"},
        {"a time-out inside a test", "[ RUN      ] A.Hangs\n", {1460, 1, 600}, {0, 1, 0, 0},
         "  failed A.Hangs: it did not finish; stopped after its time limit of 600 s\n"},
        {"an exit code with every test passed", passed, {3, 0, 600}, {1, 1, 0, 1},
         "  failed: its program ended with exit code 3 (0x00000003)\n"},
        {"an exit code 0 before GoogleTest's last line", passed, {0, 0, 600}, {1, 1, 0, 1},
         "  failed: its program ended before GoogleTest's last line\n"},
        {"a last line that counts other tests", passed + summary, {0, 0, 600}, {1, 1, 0, 1},
         "  failed: GoogleTest's last line counts 3 tests, not 1\n"},
        {"a failed set-up", "[----------] 1 test from A\nx.cpp:5: Failure\nno scratch key\n\n"
                            "[ RUN      ] A.Skips\nx.cpp:9: Skipped\n\n"
                            "[  SKIPPED ] A.Skips (0 ms)\n" + one, {1, 0, 600}, {0, 1, 1, 1},
         "  skipped A.Skips: no reason given\n"
         "  failed: its program ended with exit code 1 (0x00000001)\n"
         "    x.cpp:5: Failure\n    no scratch key\n"},
        {"no test at all", "no test matches\n", {0, 0, 600}, {0, 1, 0, 1},
         "  failed: no test ran\n    no test matches\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Tally tally;
        GrowingText details = {};
        ReadTestOutput(c.output.c_str(), &c.ending, &tally, &details);
        EXPECT_EQ(c.expected.passed, tally.passed);
        EXPECT_EQ(c.expected.failed, tally.failed);
        EXPECT_EQ(c.expected.skipped, tally.skipped);
        EXPECT_EQ(c.expected.runFailed, tally.runFailed);
        EXPECT_STREQ(c.details, TextOf(&details));
        FreeText(&details);
    }
}

TEST(Suites, ReadsTheListAndTellsWhichSuitesChangeTheMachine)
{
    char text[] = "# kind\tname\tprogram\targuments\tchanges\r\n"
                  "unit\tapp\tapp_tests.exe\t\t\r\n"
                  "unit\tinstall\tinstall_tests.exe\t\ta desktop link\n"
                  "acceptance\tacceptance.Run1\tacceptance.exe\t--gtest_filter=A.Run1\t\n";
    SuiteList list;
    ASSERT_EQ(1, SplitSuites(text, &list));
    ASSERT_EQ(3, list.count);
    EXPECT_STREQ("install_tests.exe", list.suites[1].program);
    EXPECT_STREQ("a desktop link", list.suites[1].changes);
    EXPECT_STREQ("--gtest_filter=A.Run1", list.suites[2].arguments);
    EXPECT_EQ(0, ChangesMachine(&list.suites[0]));
    EXPECT_EQ(1, ChangesMachine(&list.suites[1]));
    EXPECT_EQ(1, ChangesMachine(&list.suites[2]));

    char shortLine[] = "unit\tapp\tapp_tests.exe\n";
    EXPECT_EQ(0, SplitSuites(shortLine, &list));
    EXPECT_EQ(0, list.count);
    char commentsOnly[] = "# kind\tname\tprogram\targuments\tchanges\r\n\r\n";
    EXPECT_EQ(0, SplitSuites(commentsOnly, &list));
}

TEST(FindInstalledParts, NamesEachPartOfTheProgramThatIsThere)
{
    RegistrySandbox registry;
    GrowingText found = {};
    EXPECT_EQ(0, FindInstalledParts(&found)) << TextOf(&found);
    SeedText(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, "DisplayName", "Nimbrella Zavex Add-on 2.007");
    SeedText(HKEY_CURRENT_USER, ContextMenuItems[1].keyPath, "", "C:\\ZAV\\ZAVDEACT.HTM");
    EXPECT_EQ(2, FindInstalledParts(&found));
    EXPECT_EQ("    HKLM\\" UNINSTALL_KEY "\n    HKCU\\" + std::string(ContextMenuItems[1].keyPath) +
                  "\n",
              TextOf(&found));
    FreeText(&found);
}
