/* Starting the program's other processes: the installed copy after the
   wizard, and the removal script after the uninstall. */
#ifndef NMZAV_APP_PROCESS_H
#define NMZAV_APP_PROCESS_H

#include <windows.h>

/* Starts path, quoted, followed by arguments (NULL: none) as its command
   line, in folder, with its window shown as show (SW_...) and in
   priorityClass, suspended. An inheritable
   handle in standardHandles becomes its standard input, output and error
   (NULL: the system's defaults). Returns 1 with the process's handles in
   *process, or 0. */
int StartSuspended(const char *path, const char *arguments, const char *folder, WORD show,
                   DWORD priorityClass, HANDLE standardHandles, PROCESS_INFORMATION *process);
/* Lets a process from StartSuspended run and lets go of it: nobody waits for
   it, and its handles are closed before it runs. */
void ReleaseToRun(const PROCESS_INFORMATION *process);

#endif
