/* Self-removal for real: the lines of UNINSTALL.DAT carried out, the removal
   script run by the system's command interpreter, and NMZAV.EXE itself run
   with "/U" after a complete installation, its boxes answered from this
   test. */
#include "uninstall/SelfRemoval.h"
#include "install/InstallSequence.h"
#include "install/UninstallRecord.h"
#include "options/AddressCorrection.h"
#include "app/Globals.h"
#include "BoxWatch.h"
#include "ShellFolders.h"
#include "HostCommand.h"
#include "ImportSlot.h"
#include "SystemText.h"
#include <gtest/gtest.h>
#include <shlobj.h>
#include <functional>
#include <memory>
#include <string>

static bool WaitUntil(const std::function<bool()> &done, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(100);
    }
    return true;
}

static std::string TemporaryScript()
{
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + "UNINSTALL.BAT";
}

/* A folder link at path leading to target: a reparse point, as a junction is
   on Windows. Wine 8 makes none itself (its mklink /J and
   FSCTL_SET_REPARSE_POINT fail, CreateSymbolicLinkA does nothing), but shows
   the host's symbolic link to a folder as one; so the host's ln makes it and
   its rm takes it away (Wine's RemoveDirectoryA would remove the target). */
class FolderLink {
public:
    FolderLink(const std::string &path, const std::string &target) : path(path), target(target)
    {
        EXPECT_EQ(0, RunHostCommand("ln -s '" + UnixPath(target) + "' '" + UnixPath(path) + "'",
                                    target));
        EXPECT_TRUE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_REPARSE_POINT) << path;
    }
    ~FolderLink() { RunHostCommand("rm '" + UnixPath(path) + "'", target); }

private:
    std::string path, target;
};

static const char *const manifestNames[] = {"ICON.ICO",    "ICONS.ICO",  "readme.htm",
                                            "license.htm", "startnm.htm", "zavact.htm",
                                            "zavdeact.htm", "zavolnw.htm"};

/* An installed folder with a blank in its path, with stand-ins for the
   carried files and the executable; the script then runs for real. */
class RemovalScript : public ::testing::Test {
protected:
    void SetUp() override
    {
        Place(parent / "Nimbrella ZAV");
        uninstallMode = 1;
        script = TemporaryScript();
    }
    /* The installed copy in installFolder, made there. */
    void Place(const std::string &installFolder)
    {
        folder = installFolder;
        CreateDirectoryA(folder.c_str(), NULL);
        for (const char *name : manifestNames)
            WriteFileBytes(folder + "\\" + name, "x");
        exe = folder + "\\NMZAV.EXE";
        WriteFileBytes(exe, "MZ stand-in");
        lstrcpynA(programPath, exe.c_str(), MAX_PATH);
        lstrcpynA(installSettings.installFolder, folder.c_str(), MAX_PATH);
    }
    /* Runs the uninstall with UNINSTALL.DAT holding lines, whose own line
       for itself is carried out, and lets the script finish. */
    void RunWith(const std::string &lines)
    {
        std::string data = folder + "\\UNINSTALL.DAT";
        WriteFileBytes(data, lines);
        BoxWatch watch;
        EXPECT_EQ(1, UninstallAndRemoveSelf(NULL));
        EXPECT_FALSE(FileExists(data)) << "its own line was not carried out";
        EXPECT_TRUE(WaitUntil([&] { return !FileExists(script); }, 20000));
    }
    void TearDown() override
    {
        uninstallMode = 0;
        /* The uninstaller raises itself to outrun the script; put it back. */
        SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_NORMAL);
        SetPriorityClass(GetCurrentProcess(), NORMAL_PRIORITY_CLASS);
        if (held != INVALID_HANDLE_VALUE)
            CloseHandle(held);
        WaitUntil([&] { return !FileExists(script); }, 90000);
    }
    /* Keeps the executable open the way a running program keeps its file. */
    void HoldExecutable()
    {
        held = CreateFileA(exe.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0,
                           NULL);
        ASSERT_NE(INVALID_HANDLE_VALUE, held);
    }
    void Release()
    {
        CloseHandle(held);
        held = INVALID_HANDLE_VALUE;
    }

    RegistrySandbox registry;
    ScratchFolder parent{"self removal"};
    ScratchFolder elsewhere{"elsewhere"};
    std::string folder, exe, script;
    HANDLE held = INVALID_HANDLE_VALUE;
};

IMPORT_SLOT(CreateProcessA, 40);
static decltype(&CreateProcessA) systemStart;
static std::string startedLine;
static BOOL WINAPI RecordStart(LPCSTR application, LPSTR line, LPSECURITY_ATTRIBUTES process,
                               LPSECURITY_ATTRIBUTES thread, BOOL inherit, DWORD flags,
                               LPVOID environment, LPCSTR folder, LPSTARTUPINFOA startup,
                               LPPROCESS_INFORMATION started)
{
    startedLine = line;
    return systemStart(application, line, process, thread, inherit, flags, environment, folder,
                       startup, started);
}

/* Only the program's own lines of UNINSTALL.DAT are carried out, before the
   completion message: here a link and the Start Menu folder in a Programs
   folder, and the file itself; a line that deletes a file elsewhere is left
   out. The script is run by the system's cmd, which then neither runs the
   AutoRun commands of its settings (/D) nor expands !name! within a line
   (/V:OFF), and waits for the executable by the system's ping, never by a
   ping.bat put in its working folder, the temporary folder. */
TEST_F(RemovalScript, RunsTheOwnRemovalLinesThenWaitsForTheExecutableAndRemovesTheFolder)
{
    ProgramsSandbox programs;
    std::string menu = programs.user / "Nimbrella ZAV";
    std::string link = menu + "\\Read Me.lnk";
    std::string data = folder + "\\UNINSTALL.DAT";
    std::string foreign = elsewhere / "important.txt";
    ASSERT_TRUE(CreateDirectoryA(menu.c_str(), NULL));
    ASSERT_TRUE(WriteFileBytes(link, "link"));
    ASSERT_TRUE(WriteFileBytes(foreign, "keep"));
    ASSERT_TRUE(WriteFileBytes(data, ""));
    std::string lines = "del " + ShortPath(link) + "\r\nrmdir " + ShortPath(menu) +
                        "\r\ndel " + ShortPath(data) + "\r\n";
    ASSERT_TRUE(WriteFileBytes(data, "del \"" + foreign + "\"\r\n" + lines + "rmdir " +
                                         ShortPath(elsewhere.path) + "\r\n"));
    ASSERT_TRUE(WriteFileBytes(script, "stale script from an earlier run"));
    std::string planted = script.substr(0, script.rfind('\\')) + "\\ping.bat";
    ASSERT_TRUE(WriteFileBytes(planted, "echo planted>" + elsewhere / "planted.txt\r\n"));
    /* An earlier release installed a read-only copy from a read-only source;
       the script's del could not delete it. */
    ASSERT_TRUE(SetFileAttributesA(exe.c_str(), FILE_ATTRIBUTE_READONLY));
    HoldExecutable();

    BoxWatch watch;
    {
        ImportSwap starts(CreateProcessASlot, RecordStart, &systemStart);
        EXPECT_EQ(1, UninstallAndRemoveSelf(NULL));
    }
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    EXPECT_EQ("\"" + std::string(system) + "\\cmd.exe\" /D /V:OFF /C \"\"" + script + "\"\"",
              startedLine);
    ASSERT_EQ(1u, watch.boxes.size());
    EXPECT_EQ("Nimbrella ZAV Uninstall", watch.boxes[0].caption);
    EXPECT_EQ("Uninstalling completed", watch.boxes[0].text);
    EXPECT_TRUE(watch.boxes[0].informationIcon);
    EXPECT_EQ(std::vector<int>{IDOK}, watch.boxes[0].buttons);
    for (const char *name : manifestNames)
        EXPECT_FALSE(FileExists(folder + "\\" + name)) << name;

    EXPECT_FALSE(FileExists(data));
    EXPECT_FALSE(FileExists(link));
    EXPECT_FALSE(FolderExists(menu));
    EXPECT_EQ("keep", ReadFileBytes(foreign));
    EXPECT_TRUE(FolderExists(elsewhere.path));
    std::string shortExe = ShortPath(exe);
    std::string shortFolder = shortExe.substr(0, shortExe.rfind('\\'));
    EXPECT_EQ("set NMZAVTRIES=\r\n:Repeat\r\ndel " + shortExe + "\r\nif not exist " + shortExe +
                  " goto Removed\r\nset NMZAVTRIES=%NMZAVTRIES%x\r\n" +
                  "if \"%NMZAVTRIES%\"==\"" + std::string(60, 'x') + "\" goto Removed\r\n" + system +
                  "\\ping.exe -n 2 127.0.0.1 >nul\r\ngoto Repeat\r\n:Removed\r\n" +
                  "rmdir " + shortFolder + "\r\ndel %0\r\n",
              ReadFileBytes(script));
    Sleep(1500);
    EXPECT_TRUE(FileExists(exe)) << "deleted while still held";

    Release();
    DWORD released = GetTickCount();
    EXPECT_TRUE(WaitUntil([&] { return !FileExists(script); }, 20000));
    printf("removal script finished %lu ms after the executable was released\n",
           GetTickCount() - released);
    EXPECT_FALSE(FileExists(exe));
    EXPECT_FALSE(FolderExists(folder));
    EXPECT_FALSE(FileExists(elsewhere / "planted.txt")) << "the ping.bat ran";
    DeleteFileA(planted.c_str());
}

/* Two lines added by hand that read as the program's own once ".." and "/"
   are folded as text, but not so to cmd: a command after a quote inside a
   quoted path, and switches behind tabs. Neither runs. */
TEST_F(RemovalScript, LeavesOutACommandAfterAQuoteAndSwitchesBehindTabs)
{
    ProgramsSandbox programs;
    std::string menu = programs.user / "Nimbrella ZAV";
    std::string victim = elsewhere / "victim";
    std::string injected = "echo injected>" + elsewhere / "injected.txt";
    std::string data = folder + "\\UNINSTALL.DAT";
    ASSERT_TRUE(CreateDirectoryA(menu.c_str(), NULL));
    ASSERT_TRUE(CreateDirectoryA(victim.c_str(), NULL));
    ASSERT_TRUE(WriteFileBytes(victim + "\\mine.txt", "mine"));
    ASSERT_TRUE(WriteFileBytes(data, ""));
    /* One ".." for each backslash of text, and more. */
    auto up = [](const std::string &text, int more) {
        std::string dots;
        for (char c : text)
            dots += c == '\\' ? "\\.." : "";
        while (more--)
            dots += "\\..";
        return dots;
    };
    std::string quote = "del \"" + folder + "\\x\" & " + injected + " & \"" + up(injected, 1) +
                        "\\UNINSTALL.DAT\"\r\n";
    std::string tabs =
        "rmdir " + victim + "\t/S\t/Q\t" + up(victim, 2) + ShortPath(menu).substr(2) + "\r\n";
    std::string own = "del " + ShortPath(data) + "\r\n";
    RunWith(quote + tabs + own);
    EXPECT_FALSE(FileExists(elsewhere / "injected.txt")) << "the injected command ran";
    EXPECT_EQ("mine", ReadFileBytes(victim + "\\mine.txt"));
}

/* A folder and a junction bearing a link's name, a junction bearing the
   Start Menu folder's, a path through "..", and a link's name that is not the
   desktop link's outside a folder named like the Start Menu folder (another
   program's "Read Me.lnk"): each line is left out, and what it aims at
   stays. */
TEST_F(RemovalScript, LeavesOutFoldersJunctionsAndDotDotPathsBearingOwnNames)
{
    if (const char *missing = HostCommandsMissing())
        GTEST_SKIP() << "the junctions are links the host makes: " << missing;
    ProgramsSandbox programs;
    std::string menu = programs.user / "Nimbrella ZAV";
    std::string folderLink = menu + "\\Read Me.lnk", junction = menu + "\\License Agreement.lnk";
    std::string link = menu + "\\Uninstall Nimbrella ZAV.lnk";
    std::string kept = elsewhere / "kept", empty = elsewhere / "empty";
    std::string data = folder + "\\UNINSTALL.DAT";
    for (const std::string &made : {menu, folderLink, kept, empty})
        ASSERT_TRUE(CreateDirectoryA(made.c_str(), NULL));
    ASSERT_TRUE(WriteFileBytes(folderLink + "\\mine.txt", "mine"));
    ASSERT_TRUE(WriteFileBytes(kept + "\\mine.txt", "mine"));
    ASSERT_TRUE(WriteFileBytes(link, "link"));
    ASSERT_TRUE(WriteFileBytes(data, ""));
    FolderLink linkToKept(junction, kept), menuToEmpty(programs.common / "Nimbrella ZAV", empty);
    std::string throughDotDot = ShortPath(menu) + "\\..\\" +
                                ShortPath(link).substr(ShortPath(programs.user.path).size() + 1);
    std::string other = elsewhere / "Other Program", othersReadMe = other + "\\Read Me.lnk";
    ASSERT_TRUE(CreateDirectoryA(other.c_str(), NULL));
    ASSERT_TRUE(WriteFileBytes(othersReadMe, "another program's"));
    std::string own = "del " + ShortPath(data) + "\r\n";
    RunWith("del " + ShortPath(folderLink) + "\r\ndel " + ShortPath(junction) + "\r\nrmdir " +
            ShortPath(programs.common / "Nimbrella ZAV") + "\r\ndel " + throughDotDot +
            "\r\ndel " + ShortPath(othersReadMe) + "\r\n" + own);
    EXPECT_EQ("another program's", ReadFileBytes(othersReadMe));
    EXPECT_EQ("mine", ReadFileBytes(folderLink + "\\mine.txt"));
    EXPECT_EQ("mine", ReadFileBytes(kept + "\\mine.txt"));
    EXPECT_TRUE(FolderExists(empty));
    EXPECT_TRUE(FileExists(link));
}

/* The lines an installation writes run whatever their length and wherever
   they lie: an install folder of % signs near the path limit (8 of them make
   their own short name, and each is doubled in the quoted line), and the
   desktop and Start Menu folder of another account. */
TEST_F(RemovalScript, RunsTheLinesAnInstallationWroteInAnyAccountsFoldersAndOfAnyLength)
{
    std::string deep = parent.path;
    while (deep.size() + 9 + sizeof "\\UNINSTALL.DAT" <= MAX_PATH) {
        deep += "\\%%%%%%%%";
        ASSERT_TRUE(CreateDirectoryA(deep.c_str(), NULL));
    }
    Place(deep);
    std::string desktop = elsewhere / "Desktop", menu = elsewhere / "Nimbrella ZAV";
    std::string desktopLink = desktop + "\\Nimbrella ZAV.lnk", menuLink = menu + "\\Read Me.lnk";
    ASSERT_TRUE(CreateDirectoryA(desktop.c_str(), NULL));
    ASSERT_TRUE(CreateDirectoryA(menu.c_str(), NULL));
    ASSERT_TRUE(WriteFileBytes(desktopLink, "link"));
    ASSERT_TRUE(WriteFileBytes(menuLink, "link"));
    EmptyUninstallScript();
    ASSERT_TRUE(AppendUninstallLine("del", desktopLink.c_str()));
    ASSERT_TRUE(AppendUninstallLine("del", menuLink.c_str()));
    ASSERT_TRUE(AppendUninstallLine("rmdir", menu.c_str()));
    WriteUninstallData(NULL);
    std::string lines = ReadFileBytes(deep + "\\UNINSTALL.DAT");
    EXPECT_GT(lines.size() - lines.rfind("\r\ndel "), 400u) << lines;

    RunWith(lines);
    EXPECT_FALSE(FileExists(desktopLink));
    EXPECT_FALSE(FolderExists(menu));
    EXPECT_FALSE(FolderExists(deep));
}

/* An UNINSTALL.BAT made beforehand, as another user could in a temporary
   folder others share, is never written into: here it is another name of a
   file of theirs (a hard link), which keeps its bytes while the script is
   made anew and runs. */
TEST_F(RemovalScript, MakesTheScriptAnewInsteadOfWritingIntoAFileOfItsName)
{
    std::string data = folder + "\\UNINSTALL.DAT";
    ASSERT_TRUE(WriteFileBytes(data, ""));
    ASSERT_TRUE(WriteFileBytes(data, "del " + ShortPath(data) + "\r\n"));
    std::string theirs = elsewhere / "theirs.txt";
    ASSERT_TRUE(WriteFileBytes(theirs, "their file"));
    DeleteFileA(script.c_str());
    ASSERT_TRUE(CreateHardLinkA(script.c_str(), theirs.c_str(), NULL));
    BoxWatch watch;
    EXPECT_EQ(1, UninstallAndRemoveSelf(NULL));
    EXPECT_TRUE(WaitUntil([&] { return !FolderExists(folder); }, 20000)) << "the script ran";
    EXPECT_EQ("their file", ReadFileBytes(theirs));
}

TEST_F(RemovalScript, GivesUpAfterAboutAMinuteOnAnExecutableThatStaysLocked)
{
    std::string data = folder + "\\UNINSTALL.DAT";
    ASSERT_TRUE(WriteFileBytes(data, ""));
    ASSERT_TRUE(WriteFileBytes(data, "del " + ShortPath(data) + "\r\n"));
    HoldExecutable();
    BoxWatch watch;
    EXPECT_EQ(1, UninstallAndRemoveSelf(NULL));
    DWORD started = GetTickCount();
    ASSERT_TRUE(WaitUntil([&] { return !FileExists(script); }, 120000))
        << "the script is still waiting";
    DWORD took = GetTickCount() - started;
    printf("removal script gave up after %lu ms\n", took);
    EXPECT_GT(took, 30000u);
    EXPECT_TRUE(FileExists(exe));
    EXPECT_TRUE(FolderExists(folder));
}

TEST_F(RemovalScript, WithoutRemovalLinesTheUninstallEndsSilentlyAfterTheFiles)
{
    DeleteFileA(script.c_str());
    BoxWatch watch;
    EXPECT_EQ(1, UninstallAndRemoveSelf(NULL));
    EXPECT_TRUE(watch.boxes.empty());
    for (const char *name : manifestNames)
        EXPECT_FALSE(FileExists(folder + "\\" + name)) << name;
    EXPECT_FALSE(FileExists(script));
    EXPECT_TRUE(FileExists(exe));
}

/* A box shown by another process: found by its owner process, read and
   answered through window messages. */
struct OtherBox {
    HWND window;
    std::string caption;
    std::string text;
};

struct BoxSearch {
    DWORD processId;
    HWND found;
};

static BOOL CALLBACK FindBoxOfProcess(HWND window, LPARAM lParam)
{
    BoxSearch *search = (BoxSearch *)lParam;
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window) && IsMessageBox(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

static OtherBox WaitForBox(const PROCESS_INFORMATION &process, DWORD timeoutMs)
{
    BoxSearch search = {process.dwProcessId, NULL};
    WaitUntil(
        [&] {
            EnumWindows(FindBoxOfProcess, (LPARAM)&search);
            return search.found != NULL ||
                   WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0;
        },
        timeoutMs);
    OtherBox box = {search.found, "", ""};
    if (box.window) {
        box.caption = WindowText(box.window);
        box.text = WindowText(GetDlgItem(box.window, 0xFFFF));
    }
    return box;
}

static void AnswerBox(const OtherBox &box, int button)
{
    PostMessageA(box.window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 (LPARAM)GetDlgItem(box.window, button));
    WaitUntil([&] { return !IsWindow(box.window); }, 10000);
}

/* The program's own executable, built beside the tests' folder. */
static std::string BuiltProgram()
{
    char self[MAX_PATH];
    GetModuleFileNameA(NULL, self, MAX_PATH);
    std::string path = self;
    path = path.substr(0, path.rfind('\\'));
    return path.substr(0, path.rfind('\\')) + "\\NMZAV.EXE";
}

/* A complete installation made by InstallAll, then removed by NMZAV.EXE run
   from the install folder with "/U" in a process of its own. */
class UninstallRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        SeedText(HKEY_LOCAL_MACHINE, DEFAULT_PREFIX_KEY, "", "http://");
        SeedText(HKEY_LOCAL_MACHINE, PREFIXES_KEY, "www", "http://");
        folder = parent / "Nimbrella ZAV";
        lstrcpynA(installSettings.installFolder, folder.c_str(), MAX_PATH);
        installSettings.addToDesktop = installSettings.addToStartMenu = 1;
        installSettings.addToToolbar = 1;
        desktopLink = SpecialFolder(CSIDL_DESKTOP) + "\\Nimbrella ZAV.lnk";
        /* The uninstaller is a process of its own, which sees the system's
           own Programs folder, not a sandbox of this one. */
        menu = SpecialFolder(CSIDL_COMMON_PROGRAMS) + "\\Nimbrella ZAV";
        script = TemporaryScript();
    }
    void TearDown() override
    {
        if (process.hProcess) {
            if (WaitForSingleObject(process.hProcess, 0) != WAIT_OBJECT_0)
                TerminateProcess(process.hProcess, 1);
            CloseHandle(process.hProcess);
            CloseHandle(process.hThread);
        }
        WaitUntil([&] { return !FileExists(script); }, 90000);
        DeleteFileA(desktopLink.c_str());
        RemoveTree(menu);
    }
    void Install()
    {
        BoxWatch watch;
        DWORD started = GetTickCount();
        ASSERT_EQ(1, InstallAll(NULL));
        printf("InstallAll took %lu ms\n", GetTickCount() - started);
        ASSERT_TRUE(watch.boxes.empty()) << watch.boxes[0].text;
        ASSERT_TRUE(FileExists(desktopLink));
        ASSERT_TRUE(FileExists(menu + "\\Uninstall Nimbrella ZAV.lnk"));
        ASSERT_TRUE(CopyFileA(BuiltProgram().c_str(), (folder + "\\NMZAV.EXE").c_str(), FALSE));
    }
    /* Runs "/U", says Yes to the question and OK to the completion message,
       after whileCompleted; returns when the uninstaller has ended. */
    void Uninstall(const std::function<void()> &whileCompleted = [] {})
    {
        std::string commandLine = "\"" + folder + "\\NMZAV.EXE\" /U";
        /* As the list of installed programs starts it: without this test's
           console and standard handles, which the script would inherit. */
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        ASSERT_TRUE(CreateProcessA(NULL, &commandLine[0], NULL, NULL, FALSE, DETACHED_PROCESS,
                                   NULL, NULL, &startup, &process));
        OtherBox question = WaitForBox(process, 20000);
        ASSERT_TRUE(question.window) << "no question";
        EXPECT_EQ("Nimbrella ZAV Uninstall", question.caption);
        EXPECT_EQ("Do you really want to completely remove\nNimbrella Zavex Add-on 2.007?",
                  question.text);
        AnswerBox(question, IDYES);
        OtherBox completed = WaitForBox(process, 20000);
        ASSERT_TRUE(completed.window) << "no completion message";
        EXPECT_EQ("Nimbrella ZAV Uninstall", completed.caption);
        EXPECT_EQ("Uninstalling completed", completed.text);
        whileCompleted();
        answered = GetTickCount();
        AnswerBox(completed, IDOK);
        ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process.hProcess, 20000));
        exited = GetTickCount();
    }
    void ExpectProgramGone()
    {
        EXPECT_FALSE(FileExists(desktopLink));
        EXPECT_FALSE(FolderExists(menu));
        for (const char *name : manifestNames)
            EXPECT_FALSE(FileExists(folder + "\\" + name)) << name;
        EXPECT_FALSE(FileExists(folder + "\\UNINSTALL.DAT"));
        EXPECT_FALSE(FileExists(folder + "\\NMZAV.EXE"));
        EXPECT_FALSE(FileExists(script));
    }

    RegistrySandbox registry;
    ScratchFolder parent{"uninstall run"};
    std::string folder, desktopLink, menu, script;
    PROCESS_INFORMATION process = {};
    DWORD answered = 0, exited = 0;
};

TEST_F(UninstallRun, RemovesEverythingDownToTheExecutableAndItsFolder)
{
    ASSERT_NO_FATAL_FAILURE(Install());
    ASSERT_NO_FATAL_FAILURE(Uninstall());
    EXPECT_TRUE(WaitUntil([&] { return !FileExists(script) && !FolderExists(folder); }, 60000));
    DWORD finished = GetTickCount();
    /* Wine reports the uninstaller's end late, often after the script is done,
       so both times count from the answer to the completion message. */
    printf("after \"Uninstalling completed\" was answered: uninstaller ended by %lu ms, "
           "removal script finished by %lu ms\n",
           exited - answered, finished - answered);
    ExpectProgramGone();
    EXPECT_FALSE(FolderExists(folder));
}

TEST_F(UninstallRun, LeavesTheUsersOwnFileAndItsFolder)
{
    ASSERT_NO_FATAL_FAILURE(Install());
    ASSERT_TRUE(WriteFileBytes(folder + "\\my notes.txt", "mine"));
    ASSERT_NO_FATAL_FAILURE(Uninstall());
    EXPECT_TRUE(WaitUntil([&] { return !FileExists(script); }, 60000));
    ExpectProgramGone();
    EXPECT_EQ("mine", ReadFileBytes(folder + "\\my notes.txt"));
}

/* The script's standard input is empty: a line that waits for an answer
   (here a "pause" put before its lines while the completion message is open)
   gets none and ends at once, where the hidden console would keep it waiting
   for ever. */
TEST_F(UninstallRun, TheRemovalScriptWaitsForNoAnswer)
{
    ASSERT_NO_FATAL_FAILURE(Install());
    ASSERT_NO_FATAL_FAILURE(
        Uninstall([&] { WriteFileBytes(script, "pause\r\n" + ReadFileBytes(script)); }));
    EXPECT_TRUE(WaitUntil([&] { return !FileExists(script); }, 60000))
        << "the script waits for an answer";
    ExpectProgramGone();
}

/* The executable and its folder named for deletion by hand, the completion
   message after it, and no script. */
static void ExpectNamedForDeletionByHand(const BoxWatch &watch)
{
    ASSERT_EQ(2u, watch.boxes.size());
    EXPECT_EQ("Nimbrella ZAV Info", watch.boxes[0].caption);
    EXPECT_EQ(std::string("Cannot delete file(s):\n\t") + programPath + "\n\t" +
                  installSettings.installFolder + "\n" + SystemText(ERROR_INVALID_NAME),
              watch.boxes[0].text);
    EXPECT_EQ("Uninstalling completed", watch.boxes[1].text);
    EXPECT_FALSE(FileExists(TemporaryScript()));
}

/* \\nmzav-host\share as Wine reaches another machine's share: its folder
   under dosdevices\unc, here a link to folder. */
static const char *const Share = "\\\\nmzav-host\\share";
static void ShareFolder(const ScratchFolder &folder)
{
    ASSERT_EQ(0, RunHostCommand("mkdir -p $WINEPREFIX/dosdevices/unc/nmzav-host && ln -sfn $PWD "
                                "$WINEPREFIX/dosdevices/unc/nmzav-host/share",
                                folder.path));
}

/* A line naming a link on another machine's share is left out: on Windows
   merely looking at it would send the uninstalling account's credentials
   there. */
TEST_F(RemovalScript, LeavesOutALineNamingAnotherMachinesShare)
{
    if (const char *missing = HostCommandsMissing())
        GTEST_SKIP() << "the share is a folder of the Wine prefix: " << missing;
    ASSERT_NO_FATAL_FAILURE(ShareFolder(elsewhere));
    ASSERT_TRUE(WriteFileBytes(elsewhere / "Read Me.lnk", "link"));
    ASSERT_TRUE(FileExists(std::string(Share) + "\\Read Me.lnk"));
    std::string data = folder + "\\UNINSTALL.DAT";
    ASSERT_TRUE(WriteFileBytes(data, ""));
    std::string own = "del " + ShortPath(data) + "\r\n";
    RunWith("del \"" + std::string(Share) + "\\Read Me.lnk\"\r\n" + own);
    EXPECT_TRUE(FileExists(elsewhere / "Read Me.lnk"));
}

/* An executable whose path has no short form (a share's, or a volume's
   without short names) and whose folder's name bears characters that the
   OEM code page lacks: a curly quote would turn into one that ends the
   script's quotes, and the single angle quote into a redirection. No script
   is made, and no command of the name runs: the user is told to delete the
   executable and its folder by hand. */
TEST_F(RemovalScript, RunsNothingOfAnExecutablePathThatTheOemCodePageChanges)
{
    if (GetACP() != 1252)
        GTEST_SKIP() << "the characters are those of code page 1252";
    if (const char *missing = HostCommandsMissing())
        GTEST_SKIP() << "the share is a folder of the Wine prefix: " << missing;
    ASSERT_NO_FATAL_FAILURE(ShareFolder(elsewhere));
    Place(std::string(Share) + "\\x\x93 & echo injected\x9Binjected.txt & \x94y");
    ASSERT_TRUE(FileExists(exe));
    ASSERT_TRUE(WriteFileBytes(folder + "\\UNINSTALL.DAT", ""));
    std::string injected = script.substr(0, script.rfind('\\')) + "\\injected.txt";
    DeleteFileA(injected.c_str());
    DeleteFileA(script.c_str());
    BoxWatch watch;
    EXPECT_EQ(1, UninstallAndRemoveSelf(NULL));
    WaitUntil([&] { return !FileExists(script); }, 90000);
    EXPECT_FALSE(FileExists(injected)) << ReadFileBytes(script);
    ExpectNamedForDeletionByHand(watch);
    DeleteFileA(injected.c_str());
}

/* cmd expands %name% on its command line even within quotes: from a
   temporary folder whose name has a %, no script is started. */
TEST_F(RemovalScript, StartsNoScriptFromATemporaryFolderWhoseNameHasAPercentSign)
{
    std::string temporary = elsewhere / "t%OS%x";
    char saved[MAX_PATH] = "";
    GetEnvironmentVariableA("TMP", saved, MAX_PATH);
    ASSERT_TRUE(CreateDirectoryA(temporary.c_str(), NULL) &&
                SetEnvironmentVariableA("TMP", temporary.c_str()));
    std::string data = folder + "\\UNINSTALL.DAT";
    ASSERT_TRUE(WriteFileBytes(data, "") && WriteFileBytes(data, "del " + ShortPath(data) + "\r\n"));
    BoxWatch watch;
    EXPECT_EQ(1, UninstallAndRemoveSelf(NULL));
    ExpectNamedForDeletionByHand(watch);
    SetEnvironmentVariableA("TMP", saved[0] ? saved : NULL);
}

IMPORT_SLOT(GetShortPathNameA, 12);
static DWORD(WINAPI *systemShortPath)(LPCSTR, LPSTR, DWORD);
/* As on a volume that keeps no short names: the long path itself. */
static DWORD WINAPI LongPathOnly(LPCSTR path, LPSTR out, DWORD size)
{
    if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES)
        return 0;
    DWORD length = lstrlenA(path);
    return length < size && lstrcpynA(out, path, size) ? length : length + 1;
}

/* A broken bar (0xA6 in code page 1252) in folders without short names: the
   OEM code page 437 writes it as 0xDD, which converts back to the broken bar
   and yet is a half block to cmd. The link in the folder the installation
   named is removed, none in the half block's folder, and the executable and
   its folder are named for deletion by hand rather than handed to cmd. */
TEST_F(RemovalScript, RemovesTheNamedLinkAndLeavesNothingToCmdWhereTheOemCodePageFits)
{
    if (GetACP() != 1252 || GetOEMCP() != 437)
        GTEST_SKIP() << "the characters are those of code pages 1252 and 437";
    ImportSwap longPaths(GetShortPathNameASlot, LongPathOnly, &systemShortPath);
    std::string bar = elsewhere / "a\xA6" "b", link = bar + "\\Nimbrella ZAV.lnk";
    std::wstring halfBlock =
        std::wstring(elsewhere.path.begin(), elsewhere.path.end()) + L"\\a\u258C" L"b";
    std::wstring decoy = halfBlock + L"\\Nimbrella ZAV.lnk";
    ASSERT_TRUE(CreateDirectoryA(bar.c_str(), NULL) && CreateDirectoryW(halfBlock.c_str(), NULL));
    HANDLE made = CreateFileW(decoy.c_str(), GENERIC_WRITE, 0, NULL, CREATE_NEW, 0, NULL);
    ASSERT_TRUE(made != INVALID_HANDLE_VALUE && CloseHandle(made));
    ASSERT_TRUE(WriteFileBytes(link, "link"));
    Place(bar + "\\Nimbrella ZAV");
    EmptyUninstallScript();
    ASSERT_TRUE(AppendUninstallLine("del", link.c_str()));
    WriteUninstallData(NULL);
    ASSERT_NE(std::string::npos, ReadFileBytes(folder + "\\UNINSTALL.DAT").find("a\xDD" "b"));

    BoxWatch watch;
    EXPECT_EQ(1, UninstallAndRemoveSelf(NULL));
    ExpectNamedForDeletionByHand(watch);
    EXPECT_FALSE(FileExists(link));
    EXPECT_TRUE(DeleteFileW(decoy.c_str())) << "the decoy link is gone";
    EXPECT_FALSE(FileExists(folder + "\\UNINSTALL.DAT"));
    EXPECT_TRUE(FileExists(exe));
    RemoveDirectoryW(halfBlock.c_str()); /* a name the scratch folder's removal cannot spell */
}

IMPORT_SLOT(MoveFileExA, 12);
static BOOL(WINAPI *systemMove)(LPCSTR, LPCSTR, DWORD);
static std::function<void(LPCSTR)> beforeRemoval;
/* The first call that removes a link, after its line was checked. */
static BOOL WINAPI MoveAfterwards(LPCSTR from, LPCSTR to, DWORD flags)
{
    beforeRemoval(to);
    return systemMove(from, to, flags);
}

/* What stands at the desktop link's name when the uninstall removes it: a
   link to a folder put there after the line was checked (a user may change
   his own desktop while an administrator uninstalls), or a file's symbolic
   link from the start. Only the name goes, never what it leads to, and the
   uninstall goes on to its end. */
TEST_F(RemovalScript, RemovesNoMoreThanTheNameAtALinksPlace)
{
    if (const char *missing = HostCommandsMissing())
        GTEST_SKIP() << "the links are made by the host: " << missing;
    std::string desktop = elsewhere / "Desktop", link = desktop + "\\Nimbrella ZAV.lnk";
    std::string target = elsewhere / "target";
    for (const std::string &made : {desktop, target})
        ASSERT_TRUE(CreateDirectoryA(made.c_str(), NULL));
    ASSERT_TRUE(WriteFileBytes(target + "\\mine.txt", "mine"));
    std::unique_ptr<FolderLink> folderLink;
    for (bool swapped : {true, false}) {
        SCOPED_TRACE(swapped ? "a folder link swapped in" : "a file's symbolic link");
        Place(parent / (swapped ? "swapped" : "symbolic"));
        std::string symbolic = "ln -s '" + UnixPath(target + "\\mine.txt") + "' '" + UnixPath(link);
        ASSERT_TRUE(swapped ? WriteFileBytes(link, "link") : !RunHostCommand(symbolic + "'", target));
        std::string data = folder + "\\UNINSTALL.DAT";
        ASSERT_TRUE(WriteFileBytes(data, ""));
        std::string shortLink = ShortPath(link);
        ImportSwap moves(MoveFileExASlot, MoveAfterwards, &systemMove);
        beforeRemoval = [&](LPCSTR path) {
            if (swapped && shortLink == path && !folderLink && DeleteFileA(link.c_str()))
                folderLink.reset(new FolderLink(link, target));
        };
        RunWith("del " + shortLink + "\r\ndel " + ShortPath(data) + "\r\n");
        EXPECT_EQ("mine", ReadFileBytes(target + "\\mine.txt"));
        EXPECT_FALSE(FolderExists(folder)) << "the uninstall did not go on to its end";
        folderLink.reset();
        EXPECT_FALSE(FileExists(link));
    }
}

