/* Definitions of the process-wide state declared in Globals.h. */
#include "app/Globals.h"
#include "app/Product.h"

HINSTANCE moduleInstance;
char programPath[MAX_PATH];
int uninstallMode;
char browserVersion[BROWSER_VERSION_SIZE];
IMalloc *shellAllocator;
InstallSettings installSettings;
WizardState wizardState;
char *uninstallScript;
char startMenuFolder[MAX_PATH];

const ManifestEntry FileManifest[MANIFEST_COUNT] = {
    {HOT_ICON_FILE, "FILES", HOT_ICON_FILE},
    {ICON_FILE, "FILES", ICON_FILE},
    {MAKEINTRESOURCEA(133), MAKEINTRESOURCEA(23), README_FILE},
    {MAKEINTRESOURCEA(132), MAKEINTRESOURCEA(23), LICENSE_FILE},
    {MAKEINTRESOURCEA(129), MAKEINTRESOURCEA(23), START_PAGE_FILE},
    {MAKEINTRESOURCEA(134), MAKEINTRESOURCEA(23), "zavact.htm"},
    {MAKEINTRESOURCEA(130), MAKEINTRESOURCEA(23), "zavdeact.htm"},
    {MAKEINTRESOURCEA(131), MAKEINTRESOURCEA(23), "zavolnw.htm"},
};
