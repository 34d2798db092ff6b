/* Starting a process suspended, so that its caller can settle priorities or
   let go of it before it runs. */
#include "app/Process.h"
#include "app/Text.h"

int StartSuspended(const char *path, const char *arguments, const char *folder, WORD show,
                   DWORD priorityClass, HANDLE standardHandles, PROCESS_INFORMATION *process)
{
    /* Quoted: a path with a blank, such as the default install folder's,
       would make the system try "C:\Program.exe" first. */
    char commandLine[2 * MAX_PATH + 32];
    if (!ComposeText(commandLine, sizeof commandLine, "\"", path, "\"", arguments, NULL))
        return 0;
    STARTUPINFOA startup;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = show;
    if (standardHandles) {
        startup.dwFlags |= STARTF_USESTDHANDLES;
        startup.hStdInput = startup.hStdOutput = startup.hStdError = standardHandles;
    }
    return CreateProcessA(NULL, commandLine, NULL, NULL, standardHandles != NULL,
                          CREATE_SUSPENDED | priorityClass, NULL, folder, &startup, process)
               ? 1
               : 0;
}

void ReleaseToRun(const PROCESS_INFORMATION *process)
{
    CloseHandle(process->hProcess);
    ResumeThread(process->hThread);
    CloseHandle(process->hThread);
}
