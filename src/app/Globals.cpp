/* Definitions of the process-wide state declared in Globals.h. */
#include "app/Globals.h"

HINSTANCE moduleInstance;
char programPath[MAX_PATH];
int uninstallMode;
char browserVersion[BROWSER_VERSION_SIZE];
IMalloc *shellAllocator;
InstallSettings installSettings = {"", 1, 1, 1};
WizardState wizardState = {1, {128, 128, -1, -1}, NULL};
char *uninstallScript;
char startMenuFolder[MAX_PATH];

const ManifestEntry FileManifest[MANIFEST_COUNT] = {
    {"ICON.ICO", "FILES", "ICON.ICO"},
    {"ICONS.ICO", "FILES", "ICONS.ICO"},
    {MAKEINTRESOURCEA(133), MAKEINTRESOURCEA(23), "readme.htm"},
    {MAKEINTRESOURCEA(132), MAKEINTRESOURCEA(23), "license.htm"},
    {MAKEINTRESOURCEA(129), MAKEINTRESOURCEA(23), "startnm.htm"},
    {MAKEINTRESOURCEA(134), MAKEINTRESOURCEA(23), "zavact.htm"},
    {MAKEINTRESOURCEA(130), MAKEINTRESOURCEA(23), "zavdeact.htm"},
    {MAKEINTRESOURCEA(131), MAKEINTRESOURCEA(23), "zavolnw.htm"},
};
