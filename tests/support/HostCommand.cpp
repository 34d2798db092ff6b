/* See HostCommand.h. */
#include "HostCommand.h"
#include "Sandbox.h"
#include <windows.h>
#include <stdlib.h>

/* Wine's own export, which Windows has not got. */
static bool IsWine()
{
    return GetProcAddress(GetModuleHandleA("ntdll"), "wine_get_version") != NULL;
}

const char *HostCommandsMissing()
{
    if (!IsWine())
        return "needs a command of the Linux machine that runs Wine; this is Windows";
    if (!FileExists("Z:\\bin\\sh"))
        return "needs a command of the Linux machine that runs Wine, through drive Z: "
               "(that machine's root), which this Wine prefix has not got";
    return NULL;
}

int RunHostCommand(const std::string &command, const std::string &folder)
{
    const std::string status = folder + "\\host.status";
    DeleteFileA(status.c_str());
    std::string line = "Z:\\bin\\sh -c \"(" + command + "); echo $? >host.status.new && "
                       "mv host.status.new host.status\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(NULL, &line[0], NULL, NULL, FALSE, 0, NULL, folder.c_str(), &startup,
                        &process))
        return -1;
    if (process.hThread)
        CloseHandle(process.hThread);
    if (process.hProcess)
        CloseHandle(process.hProcess);
    for (int waited = 0; waited < 30000; waited += 20) {
        if (FileExists(status)) {
            int code = atoi(ReadFileBytes(status).c_str());
            DeleteFileA(status.c_str());
            return code;
        }
        Sleep(20);
    }
    return -1;
}

std::string UnixPath(const std::string &path)
{
    typedef char *(CDECL * UnixFileName)(LPCWSTR);
    UnixFileName unixFileName = (UnixFileName)(void *)GetProcAddress(
        GetModuleHandleA("kernel32"), "wine_get_unix_file_name");
    WCHAR wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
    char *unix = unixFileName ? unixFileName(wide) : NULL;
    std::string text = unix ? unix : "";
    HeapFree(GetProcessHeap(), 0, unix);
    return text;
}
