/* The program's entry: record where the executable lives, read the one
   argument it knows and run the uninstall, Options or installer role. */
#include "app/Startup.h"
#include "app/Globals.h"
#include "app/Text.h"
#include "app/Report.h"
#include "options/OptionsDialog.h"
#include "uninstall/SelfRemoval.h"
#include <string.h>

const char *CommandLineRemainder(const char *commandLine)
{
    const char *p = commandLine;
    if (*p == '"') {
        p++;
        while (*p && *p != '"')
            p++;
        if (*p == '"')
            p++;
    } else {
        while ((unsigned char)*p > ' ')
            p++;
    }
    while (*p == ' ' || *p == '\t')
        p++;
    return p;
}

int IsUninstallArgument(const char *remainder)
{
    return EqualsIgnoreAsciiCase(remainder, UNINSTALL_ARGUMENT);
}

void RecordProgramPath(HINSTANCE instance)
{
    moduleInstance = instance;
    GetModuleFileNameA(NULL, programPath, MAX_PATH);
    programPath[MAX_PATH - 1] = '\0';
    CopyText(installSettings.installFolder, MAX_PATH, programPath);
    char *lastBackslash = LastBackslash(installSettings.installFolder);
    if (lastBackslash)
        *lastBackslash = '\0';
}

int IsInstalledCopy(void)
{
    size_t folderLength = strlen(installSettings.installFolder);
    if (strlen(programPath) < folderLength + 1)
        return 0;
    if (!EqualsIgnoreAsciiCase(programPath + folderLength + 1, INSTALLED_FILE_NAME))
        return 0;
    for (int i = 0; i < MANIFEST_COUNT; i++) {
        char path[MAX_PATH];
        if (!ComposePath(path, sizeof path, installSettings.installFolder, FileManifest[i].fileName))
            return 0;
        DWORD attributes = GetFileAttributesA(path);
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
            return 0;
    }
    return 1;
}

void SetDefaultInstallFolder(void)
{
    char *folder = installSettings.installFolder;
    if (GetSystemDirectoryA(folder, MAX_PATH) != 0) {
        folder[2] = '\0';
        AppendText(folder, MAX_PATH, DEFAULT_FOLDER_TAIL);
    } else {
        CopyText(folder, MAX_PATH, DEFAULT_FOLDER_FALLBACK);
    }
}

void RunUninstallRole(void)
{
    uninstallMode = 1;
    if (MessageBoxA(NULL, UNINSTALL_QUESTION, CAPTION_UNINSTALL, MB_YESNO | MB_ICONINFORMATION) ==
        IDYES)
        UninstallAndRemoveSelf(NULL);
}

void RunOptionsRole(void)
{
    HWND open = FindWindowA(NULL, OPTIONS_CAPTION);
    if (open) {
        SetForegroundWindow(open);
        return;
    }
    DialogBoxParamA(moduleInstance, MAKEINTRESOURCEA(141), NULL, OptionsDialogProc, 0);
}

int ProgramMain(HINSTANCE instance, const char *commandLine)
{
    RecordProgramPath(instance);
    if (IsUninstallArgument(CommandLineRemainder(commandLine)))
        RunUninstallRole();
    else if (IsInstalledCopy())
        RunOptionsRole();
    else
        RunInstallerRole();
    return 0;
}
