/* See WizardSetup.h. */
#include "WizardSetup.h"
#include "app/Globals.h"
#include <shlobj.h>

void PrepareWizard(const char *installFolder)
{
    moduleInstance = GetModuleHandleA(NULL);
    if (!wizardState.titleFont)
        wizardState.titleFont =
            CreateFontA(-20, 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE, ANSI_CHARSET,
                        OUT_CHARACTER_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY, 0, "Arial");
    if (!shellAllocator)
        SHGetMalloc(&shellAllocator);
    lstrcpynA(browserVersion, "6.0.2900.2180", sizeof browserVersion);
    wizardState.currentPage = 1;
    wizardState.pageRect = {128, 128, -1, -1};
    lstrcpynA(installSettings.installFolder, installFolder, MAX_PATH);
    installSettings.addToStartMenu = 1;
    installSettings.addToDesktop = 1;
    installSettings.addToToolbar = 1;
}
