/* Stands in for a started program: writes its command line and working folder
   to probe.txt beside itself, one per line, and exits. */
#include <windows.h>
#include <string.h>

int main()
{
    char path[MAX_PATH];
    GetModuleFileNameA(NULL, path, sizeof path);
    strcpy(strrchr(path, '\\') + 1, "probe.txt");
    char folder[MAX_PATH];
    GetCurrentDirectoryA(sizeof folder, folder);
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    DWORD written;
    const char *commandLine = GetCommandLineA();
    WriteFile(file, commandLine, (DWORD)strlen(commandLine), &written, NULL);
    WriteFile(file, "\n", 1, &written, NULL);
    WriteFile(file, folder, (DWORD)strlen(folder), &written, NULL);
    CloseHandle(file);
    return 0;
}
