/* Self-removal: the uninstaller removes the links and the Start Menu folder
   that UNINSTALL.DAT names itself, but a running executable cannot delete
   itself, so that is left to a batch script in the temporary folder that
   waits for the executable to become deletable, then removes it, the install
   folder and the script. */
#include "uninstall/SelfRemoval.h"
#include "uninstall/Removal.h"
#include "uninstall/OwnRemovalLines.h"
#include "install/RemovalPath.h"
#include "install/UninstallRecord.h"
#include "app/Files.h"
#include "app/Globals.h"
#include "app/Process.h"
#include "app/Report.h"
#include "app/Text.h"
#include <string.h>

#define UNINSTALL_COMPLETED "Uninstalling completed"
/* For the helpers that hold a large buffer: each keeps a frame of its own,
   as together they would take more than a page of stack. */
#define NOINLINE __attribute__((noinline))

/* Room for the tail: three paths as FormatScriptPath writes them and the
   fixed lines around them. */
#define TAIL_SIZE (3 * REMOVAL_PATH_SIZE + 512)

/* The executable's path and its folder as the script names them: the short
   form where the system gives one, else the long path. */
struct ScriptPaths {
    char executable[MAX_PATH];
    char folder[MAX_PATH];
};

static int FindScriptPaths(ScriptPaths *paths)
{
    DWORD length = GetShortPathNameA(programPath, paths->executable, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        CopyText(paths->executable, MAX_PATH, programPath);
    CopyText(paths->folder, MAX_PATH, paths->executable);
    char *lastBackslash = LastBackslash(paths->folder);
    if (!lastBackslash)
        return 0;
    *lastBackslash = '\0';
    return 1;
}

/* out (MAX_PATH bytes) = the system's folder, or the Windows folder, followed
   by name, which starts with a backslash. */
static int SystemFile(char *out, const char *name, int windowsFolder)
{
    UINT length = (windowsFolder ? GetWindowsDirectoryA : GetSystemDirectoryA)(out, MAX_PATH);
    return length > 0 && (length < MAX_PATH || RefuseTooLong()) && AppendText(out, MAX_PATH, name);
}

/* path as the script names it: only where cmd reads the same characters,
   quoted where it needs to be; 0 otherwise. */
static int FormatScriptPath(char *out, const char *path)
{
    return SameForCmd(path, 1) && QuoteRemovalPath(out, REMOVAL_PATH_SIZE, path);
}

/* The script. The executable stays locked until the uninstaller has ended,
   so the script retries, about a second apart, and gives up after
   REMOVAL_SCRIPT_TRIES tries, so that an executable that can never be
   deleted leaves no script waiting forever. The tries are counted by growing
   a variable, which needs no arithmetic from the interpreter. The wait's
   ping is named by its full path: cmd would look for a bare name first in
   its working folder, the temporary folder, where others may put one. It is
   in the system's folder, but in the Windows folder on Windows 9x. */
static NOINLINE int ComposeTail(char *tail, size_t size, const ScriptPaths *paths,
                                int windows9x)
{
    char executable[REMOVAL_PATH_SIZE];
    char folder[REMOVAL_PATH_SIZE];
    char ping[REMOVAL_PATH_SIZE];
    char pingPath[MAX_PATH];
    char allTries[REMOVAL_SCRIPT_TRIES + 1];
    memset(allTries, 'x', REMOVAL_SCRIPT_TRIES);
    allTries[REMOVAL_SCRIPT_TRIES] = '\0';
    return FormatScriptPath(executable, paths->executable) &&
           FormatScriptPath(folder, paths->folder) && SystemFile(pingPath, "\\ping.exe", windows9x) &&
           FormatScriptPath(ping, pingPath) &&
           ComposeText(tail, size, "set NMZAVTRIES=\r\n:Repeat\r\ndel ", executable,
                       "\r\nif not exist ", executable,
                       " goto Removed\r\nset NMZAVTRIES=%NMZAVTRIES%x\r\nif \"%NMZAVTRIES%\"==\"",
                       allTries, "\" goto Removed\r\n", ping,
                       " -n 2 127.0.0.1 >nul\r\ngoto Repeat\r\n:Removed\r\nrmdir ", folder,
                       "\r\ndel %0\r\n", NULL);
}

/* UNINSTALL.BAT = the tail, converted to the OEM code page. 0 when there is
   nothing to run. */
static int WriteRemovalScript(const char *scriptPath, char *tail)
{
    /* A file of that name is deleted and the script made anew, never written
       into: in a temporary folder that others share, another user could have
       made it, with rights of his own to change it before it runs. One that
       cannot be deleted leaves no script. */
    DeleteFileA(scriptPath);
    HANDLE script = CreateFileA(scriptPath, GENERIC_WRITE, 0, NULL, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, NULL);
    if (script == INVALID_HANDLE_VALUE)
        return 0;
    DWORD length = (DWORD)TextLength(tail);
    CharToOemBuffA(tail, tail, length);
    WriteAndClose(script, tail, length);
    return 1;
}

/* Starts the script hidden, at the lowest priority, and lets this process
   outrank it until it has ended, so that the script's first tries find the
   executable released as soon as possible. Its standard handles are NUL: a
   command that asks before it acts (pause, or del's "Are you sure (Y/N)?")
   reads the end of its input instead of waiting at a hidden console for a
   key that never comes. From Windows 2000 on the system's cmd runs it
   without the AutoRun commands of its settings (/D) and without delayed
   expansion (/V:OFF), either of which would read its lines otherwise than
   they were written; the quotes around the quoted script are the ones /C
   takes away. The interpreters of Windows 9x and NT 4 know neither setting
   nor switch, and are left to the system. */
static void StartRemovalScript(const char *temporaryFolder, const char *scriptPath,
                               int withSwitches)
{
    const char *program = scriptPath;
    char interpreter[MAX_PATH];
    char arguments[MAX_PATH + 32];
    const char *switches = NULL;
    if (withSwitches) {
        if (!SystemFile(interpreter, "\\cmd.exe", 0) ||
            !ComposeText(arguments, sizeof arguments, " /D /V:OFF /C \"\"", scriptPath, "\"\"",
                         NULL))
            return;
        program = interpreter;
        switches = arguments;
    }
    SECURITY_ATTRIBUTES inherited;
    inherited.nLength = sizeof inherited;
    inherited.lpSecurityDescriptor = NULL;
    inherited.bInheritHandle = TRUE;
    HANDLE nul = CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE,
                             FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited, OPEN_EXISTING, 0,
                             NULL);
    if (nul == INVALID_HANDLE_VALUE)
        return;
    PROCESS_INFORMATION process;
    int started = StartSuspended(program, switches, temporaryFolder, SW_HIDE, IDLE_PRIORITY_CLASS,
                                 nul, &process);
    CloseHandle(nul);
    if (!started)
        return;
    SetThreadPriority(process.hThread, THREAD_PRIORITY_IDLE);
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
    SetPriorityClass(GetCurrentProcess(), HIGH_PRIORITY_CLASS);
    ReleaseToRun(&process);
}

int UninstallAndRemoveSelf(HWND owner)
{
    if (!RemoveAll(owner))
        return 0;
    char data[MAX_PATH];
    BYTE *lines;
    DWORD size;
    if (!ComposePath(data, sizeof data, installSettings.installFolder, UNINSTALL_DATA_NAME) ||
        !ReadWholeFile(data, &lines, &size))
        return 1;
    RemoveOwnItems((char *)lines, size);
    FreeBytes(lines);
    char temporaryFolder[MAX_PATH];
    DWORD length = GetTempPathA(sizeof temporaryFolder, temporaryFolder);
    if (length == 0 || length >= sizeof temporaryFolder)
        return 1;
    char scriptPath[MAX_PATH];
    ScriptPaths paths;
    char tail[TAIL_SIZE];
    if (!ComposeText(scriptPath, sizeof scriptPath, temporaryFolder, REMOVAL_SCRIPT_NAME, NULL) ||
        !FindScriptPaths(&paths))
        return 1;
    DWORD version = GetVersion();
    int windows9x = (version & 0x80000000) != 0;
    /* cmd expands %name% on its command line even within quotes, and no
       escape holds there: a script whose path has a % is not started. */
    int scripted = 1;
    for (const char *c = scriptPath; *c; c++)
        if (*c == '%') {
            SetLastError(ERROR_INVALID_NAME);
            scripted = 0;
        }
    scripted = scripted && ComposeTail(tail, sizeof tail, &paths, windows9x);
    /* Where the script cannot name the executable or its folder as they
       are, the user is told to delete both by hand; two paths always fit. */
    if (!scripted)
        ReportPieces(owner, NULL, CAPTION_INFO, DELETE_FAILED, "\t", programPath, "\n\t",
                     installSettings.installFolder, "\n", NULL);
    else if (!WriteRemovalScript(scriptPath, tail))
        return 1;
    MessageBoxA(owner, UNINSTALL_COMPLETED, CAPTION_UNINSTALL, MB_OK | MB_ICONINFORMATION);
    if (!scripted)
        return 1;
    /* The script's del cannot delete a read-only file, and an earlier release
       copied that attribute from a read-only source (a CD). */
    SetFileAttributesA(programPath, FILE_ATTRIBUTE_NORMAL);
    StartRemovalScript(temporaryFolder, scriptPath, !windows9x && LOBYTE(version) >= 5);
    return 1;
}
