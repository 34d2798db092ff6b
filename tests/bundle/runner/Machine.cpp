/* See Machine.h. What Windows 2000 and XP have not got is looked up by name,
   so that the runner starts there too. */
#include "Machine.h"
#include <windows.h>

typedef LONG(WINAPI *RtlGetVersionCall)(OSVERSIONINFOEXW *);
typedef const char *(CDECL *WineGetVersionCall)(void);
typedef void(WINAPI *GetNativeSystemInfoCall)(SYSTEM_INFO *);
typedef BOOL(WINAPI *IsWow64ProcessCall)(HANDLE, BOOL *);

static FARPROC Export(const char *module, const char *name)
{
    HMODULE handle = GetModuleHandleA(module);
    return handle ? GetProcAddress(handle, name) : NULL;
}

/* The version as the system knows it: GetVersionEx tells a program without a
   compatibility manifest 6.2 on every Windows from 8 on. */
static void DescribeWindows(GrowingText *out)
{
    OSVERSIONINFOEXW version = {};
    version.dwOSVersionInfoSize = sizeof version;
    RtlGetVersionCall rtlGetVersion = (RtlGetVersionCall)(void *)Export("ntdll", "RtlGetVersion");
    if (!rtlGetVersion || rtlGetVersion(&version) != 0) {
        version.dwOSVersionInfoSize = sizeof(OSVERSIONINFOW);
        GetVersionExW((OSVERSIONINFOW *)&version);
    }
    char servicePack[128] = "";
    WideCharToMultiByte(CP_ACP, 0, version.szCSDVersion, -1, servicePack, sizeof servicePack,
                        NULL, NULL);
    AddFormat(out, "  Windows: %lu.%lu build %lu, %s, %s\n", version.dwMajorVersion,
              version.dwMinorVersion, version.dwBuildNumber,
              servicePack[0] ? servicePack : "no service pack",
              version.wProductType == VER_NT_WORKSTATION ? "workstation" : "server");
}

static void DescribeProcessor(GrowingText *out)
{
    SYSTEM_INFO system;
    GetNativeSystemInfoCall native =
        (GetNativeSystemInfoCall)(void *)Export("kernel32", "GetNativeSystemInfo");
    if (native)
        native(&system);
    else
        GetSystemInfo(&system);
    char name[128] = "";
    DWORD size = sizeof name - 1;
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0",
                      0, KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) {
        if (RegQueryValueExA(key, "ProcessorNameString", NULL, NULL, (BYTE *)name, &size) !=
            ERROR_SUCCESS)
            name[0] = '\0';
        RegCloseKey(key);
    }
    BOOL wow64 = FALSE;
    IsWow64ProcessCall isWow64 = (IsWow64ProcessCall)(void *)Export("kernel32", "IsWow64Process");
    if (isWow64)
        isWow64(GetCurrentProcess(), &wow64);
    WORD kind = system.wProcessorArchitecture;
    const char *architecture = kind == PROCESSOR_ARCHITECTURE_AMD64   ? "x64"
                             : kind == PROCESSOR_ARCHITECTURE_INTEL ? "x86"
                                                                    : "other";
    AddFormat(out, "  Processor: %s, %s, level %u revision %04X, %lu of them; %s\n",
              name[0] ? name : "(no name)", architecture, system.wProcessorLevel,
              system.wProcessorRevision, system.dwNumberOfProcessors,
              wow64 ? "this 32-bit program runs on 64-bit Windows" : "32-bit Windows");
}

/* Administrator or not, and under UAC whether this process is elevated
   (TokenElevationType, which Windows before Vista has not got). */
static void DescribeRights(GrowingText *out)
{
    SID_IDENTIFIER_AUTHORITY authority = {SECURITY_NT_AUTHORITY};
    PSID administrators = NULL;
    BOOL member = FALSE;
    if (AllocateAndInitializeSid(&authority, 2, SECURITY_BUILTIN_DOMAIN_RID,
                                 DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0, &administrators)) {
        if (!CheckTokenMembership(NULL, administrators, &member))
            member = FALSE;
        FreeSid(administrators);
    }
    DWORD type = 0, size = 0;
    HANDLE token;
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
        if (!GetTokenInformation(token, (TOKEN_INFORMATION_CLASS)18 /* TokenElevationType */,
                                 &type, sizeof type, &size))
            type = 0;
        CloseHandle(token);
    }
    const char *rights = type == 2   ? "an administrator, elevated"
                       : type == 3   ? "an administrator, not elevated"
                       : !member     ? "not an administrator"
                       : type == 1   ? "an administrator without a split token (UAC off)"
                                     : "an administrator (no UAC on this Windows)";
    AddFormat(out, "  User: %s\n", rights);
}

/* Whether the system drive makes 8.3 names: NtfsDisable8dot3NameCreation says
   so for every volume (0: all, 1: none, 3: all but the system volume); with 2
   (each volume's own setting) or without it, the Program Files folder's short
   name tells. */
static void DescribeShortNames(GrowingText *out)
{
    DWORD setting = 0xFFFFFFFF, size = sizeof setting;
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\FileSystem", 0,
                      KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) {
        if (RegQueryValueExA(key, "NtfsDisable8dot3NameCreation", NULL, NULL, (BYTE *)&setting,
                             &size) != ERROR_SUCCESS)
            setting = 0xFFFFFFFF;
        RegCloseKey(key);
    }
    char windows[MAX_PATH], root[4] = "C:\\", fileSystem[32] = "?";
    if (GetWindowsDirectoryA(windows, sizeof windows))
        root[0] = windows[0];
    GetVolumeInformationA(root, NULL, 0, NULL, NULL, NULL, fileSystem, sizeof fileSystem);
    char programFiles[MAX_PATH] = "", shortName[MAX_PATH] = "";
    DWORD length = GetEnvironmentVariableA("ProgramFiles", programFiles, sizeof programFiles);
    if (length == 0 || length >= sizeof programFiles ||
        !GetShortPathNameA(programFiles, shortName, sizeof shortName))
        shortName[0] = '\0';
    const char *keeps = setting == 0                                      ? "yes"
                      : setting == 1 || setting == 3                      ? "no"
                      : shortName[0] && lstrcmpiA(shortName, programFiles) ? "yes"
                                                                           : "no";
    AddFormat(out, "  8.3 names on the system drive %s (%s): %s", root, fileSystem, keeps);
    if (setting != 0xFFFFFFFF)
        AddFormat(out, "; NtfsDisable8dot3NameCreation is %lu", setting);
    if (shortName[0])
        AddFormat(out, "; %s is %s", programFiles, shortName);
    AddText(out, "\n");
}

void DescribeMachine(GrowingText *out)
{
    DescribeWindows(out);
    DescribeProcessor(out);
    AddFormat(out, "  Code pages: ANSI %u, OEM %u", GetACP(), GetOEMCP());
    if (GetConsoleOutputCP())
        AddFormat(out, ", console %u", GetConsoleOutputCP());
    AddText(out, "\n");
    DescribeRights(out);
    DescribeShortNames(out);
    WineGetVersionCall wineVersion =
        (WineGetVersionCall)(void *)Export("ntdll", "wine_get_version");
    if (wineVersion)
        AddFormat(out, "  Wine: yes, %s; its results are no Windows results\n", wineVersion());
    else
        AddText(out, "  Wine: no\n");
}
