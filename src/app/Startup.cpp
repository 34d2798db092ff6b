/* The program's entry: record where the executable lives, read the one
   argument it knows and run the uninstall, Options or installer role. */
#include "app/Startup.h"
#include "app/BrowserVersion.h"
#include "app/Files.h"
#include "app/Globals.h"
#include "app/PageLoop.h"
#include "app/Report.h"
#include "app/Text.h"
#include "install/PriorState.h"
#include "options/OptionsDialog.h"
#include "uninstall/SelfRemoval.h"
#include "resource.h"
#include <shlobj.h>

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
    size_t folderLength = TextLength(installSettings.installFolder);
    if (TextLength(programPath) < folderLength + 1)
        return 0;
    if (!EqualsIgnoreAsciiCase(programPath + folderLength + 1, INSTALLED_FILE_NAME))
        return 0;
    for (int i = 0; i < MANIFEST_COUNT; i++) {
        char path[MAX_PATH];
        if (!ComposePath(path, sizeof path, installSettings.installFolder, FileManifest[i].fileName))
            return 0;
        if (!IsFile(path))
            return 0;
    }
    return 1;
}

/* The system's drive (C: when the system folder cannot be had) and
   DEFAULT_FOLDER_TAIL. */
void SetDefaultInstallFolder(void)
{
    char *folder = installSettings.installFolder;
    if (GetSystemDirectoryA(folder, MAX_PATH) == 0) {
        folder[0] = 'C';
        folder[1] = ':';
    }
    folder[2] = '\0';
    AppendText(folder, MAX_PATH, DEFAULT_FOLDER_TAIL);
}

void RunUninstallRole(void)
{
    uninstallMode = 1;
    /* An installation that a run cut short gets its originals back first,
       so that what is removed is the installation as it was. */
    TakeBackFailedInstall(NULL);
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
    DialogBoxParamA(moduleInstance, MAKEINTRESOURCEA(IDD_OPTIONS), NULL, OptionsDialogProc, 0);
}

/* The wizard starts on its first page, with all three icons chosen, at the
   top left of the screen in the page's own size. */
static const WizardState FirstPage = {1, {128, 128, -1, -1}, NULL};

void RunInstallerRole(void)
{
    wizardState = FirstPage;
    wizardState.titleFont = CreateFontA(-20, 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE, ANSI_CHARSET,
                                        OUT_CHARACTER_PRECIS, CLIP_DEFAULT_PRECIS,
                                        PROOF_QUALITY, 0, "Arial");
    installSettings.addToStartMenu = installSettings.addToDesktop = 1;
    installSettings.addToToolbar = 1;
    if (IsBrowserTooOld(NULL))
        return;
    SetDefaultInstallFolder();
    if (SHGetMalloc(&shellAllocator) != S_OK)
        shellAllocator = NULL;
    EndWizard(RunPageLoop(wizardPages));
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
