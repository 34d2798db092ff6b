/* See Launch.h. */
#include "Launch.h"
#include <stdlib.h>
#include <string.h>

/* A file in the temporary folder that the system deletes once the last
   handle to it is closed; inheritable, for a child's standard handles. */
static HANDLE TemporaryOutputFile(void)
{
    char folder[MAX_PATH], path[MAX_PATH];
    DWORD length = GetTempPathA(MAX_PATH, folder);
    if (length == 0 || length >= MAX_PATH || !GetTempFileNameA(folder, "nmz", 0, path))
        return INVALID_HANDLE_VALUE;
    SECURITY_ATTRIBUTES inherited = {sizeof inherited, NULL, TRUE};
    return CreateFileA(path, GENERIC_READ | GENERIC_WRITE,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &inherited,
                       CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, NULL);
}

static void ReadWholeFile(HANDLE file, GrowingText *text)
{
    char block[4096];
    DWORD read;
    SetFilePointer(file, 0, NULL, FILE_BEGIN);
    while (ReadFile(file, block, sizeof block, &read, NULL) && read > 0)
        AddBytes(text, block, read);
}

void RunWithTimeLimit(const char *commandLine, const char *folder, DWORD limitMs,
                      Launched *launched)
{
    memset(launched, 0, sizeof *launched);
    HANDLE output = TemporaryOutputFile();
    if (output == INVALID_HANDLE_VALUE) {
        launched->startError = GetLastError();
        return;
    }
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = output;
    startup.hStdError = output;
    PROCESS_INFORMATION process;
    size_t length = strlen(commandLine) + 1;
    char *line = (char *)malloc(length);
    if (line)
        memcpy(line, commandLine, length);
    launched->started = line && CreateProcessA(NULL, line, NULL, NULL, TRUE, 0, NULL, folder,
                                               &startup, &process);
    free(line);
    if (!launched->started) {
        launched->startError = GetLastError();
        CloseHandle(output);
        return;
    }
    CloseHandle(process.hThread);
    if (WaitForSingleObject(process.hProcess, limitMs) == WAIT_TIMEOUT) {
        launched->timedOut = 1;
        TerminateProcess(process.hProcess, ERROR_TIMEOUT);
        WaitForSingleObject(process.hProcess, 10000);
    }
    GetExitCodeProcess(process.hProcess, &launched->exitCode);
    CloseHandle(process.hProcess);
    ReadWholeFile(output, &launched->output);
    CloseHandle(output);
}
