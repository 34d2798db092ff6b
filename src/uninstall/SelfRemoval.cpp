/* Self-removal: a running executable cannot delete itself, so the uninstaller
   leaves that to a batch script in the temporary folder, made from the
   program's own removal lines of UNINSTALL.DAT and a tail that waits for the executable to
   become deletable, then removes it, the install folder and the script. */
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

/* Room for the tail: three paths as FormatRemovalPath writes them and the
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

/* The lines after the copied removal lines. The executable stays locked until
   the uninstaller has ended, so the script retries, about a second apart, and
   gives up after REMOVAL_SCRIPT_TRIES tries, so that an executable that can
   never be deleted leaves no script waiting forever. The tries are counted by
   growing a variable, which needs no arithmetic from the interpreter. */
static int ComposeTail(char *tail, size_t size, const ScriptPaths *paths)
{
    char executable[REMOVAL_PATH_SIZE];
    char folder[REMOVAL_PATH_SIZE];
    char allTries[REMOVAL_SCRIPT_TRIES + 1];
    memset(allTries, 'x', REMOVAL_SCRIPT_TRIES);
    allTries[REMOVAL_SCRIPT_TRIES] = '\0';
    return FormatRemovalPath(executable, sizeof executable, paths->executable) &&
           FormatRemovalPath(folder, sizeof folder, paths->folder) &&
           ComposeText(tail, size, "\r\nset NMZAVTRIES=\r\n:Repeat\r\ndel ", executable,
                       "\r\nif not exist ", executable,
                       " goto Removed\r\nset NMZAVTRIES=%NMZAVTRIES%x\r\nif \"%NMZAVTRIES%\"==\"",
                       allTries,
                       "\" goto Removed\r\nping -n 2 127.0.0.1 >nul\r\ngoto Repeat\r\n:Removed\r\n"
                       "rmdir ",
                       folder, "\r\ndel %0\r\n", NULL);
}

/* UNINSTALL.BAT = the program's own lines of UNINSTALL.DAT (already in the
   OEM code page) and the tail, converted before it is written. 0 when there
   is nothing to run. */
static int WriteRemovalScript(const char *scriptPath, const ScriptPaths *paths)
{
    char removalLines[MAX_PATH];
    char tail[TAIL_SIZE];
    BYTE *lines;
    DWORD size;
    if (!ComposePath(removalLines, sizeof removalLines, paths->folder, UNINSTALL_DATA_NAME) ||
        !ComposeTail(tail, sizeof tail, paths) || !ReadWholeFile(removalLines, &lines, &size))
        return 0;
    /* A file of that name is deleted and the script made anew, never written
       into: in a temporary folder that others share, another user could have
       made it, with rights of his own to change it before it runs. One that
       cannot be deleted leaves no script. */
    DeleteFileA(scriptPath);
    HANDLE script = CreateFileA(scriptPath, GENERIC_WRITE, 0, NULL, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, NULL);
    if (script != INVALID_HANDLE_VALUE) {
        DWORD length = (DWORD)TextLength(tail);
        CharToOemBuffA(tail, tail, length);
        WriteOwnRemovalLines(script, (char *)lines, size);
        WriteAndClose(script, tail, length);
    }
    FreeBytes(lines);
    return script != INVALID_HANDLE_VALUE;
}

/* Starts the script hidden, at the lowest priority, and lets this process
   outrank it until it has ended, so that the script's first tries find the
   executable released as soon as possible. Its standard handles are NUL: a
   command that asks before it acts (pause, or del's "Are you sure (Y/N)?")
   reads the end of its input instead of waiting at a hidden console for a
   key that never comes. */
static void StartRemovalScript(const char *temporaryFolder, const char *scriptPath)
{
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
    int started = StartSuspended(scriptPath, temporaryFolder, SW_HIDE, IDLE_PRIORITY_CLASS, nul,
                                 &process);
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
    char temporaryFolder[MAX_PATH];
    DWORD length = GetTempPathA(sizeof temporaryFolder, temporaryFolder);
    if (length == 0 || length >= sizeof temporaryFolder)
        return 1;
    char scriptPath[MAX_PATH];
    ScriptPaths paths;
    if (!ComposeText(scriptPath, sizeof scriptPath, temporaryFolder, REMOVAL_SCRIPT_NAME, NULL) ||
        !FindScriptPaths(&paths) || !WriteRemovalScript(scriptPath, &paths))
        return 1;
    MessageBoxA(owner, UNINSTALL_COMPLETED, CAPTION_UNINSTALL, MB_OK | MB_ICONINFORMATION);
    /* The script's del cannot delete a read-only file, and an earlier release
       copied that attribute from a read-only source (a CD). */
    SetFileAttributesA(programPath, FILE_ATTRIBUTE_NORMAL);
    StartRemovalScript(temporaryFolder, scriptPath);
    return 1;
}
