/* The install sequence: folder, executable, uninstall entry and carried files
   first (any failure there stops the installation), then the browser entries,
   address correction and the chosen icons, whose failures are reported by the
   steps themselves and never stop it, and last the removal lines. A run that
   stops leaves what it noted for TakeBackFailedInstall. */
#include "install/InstallSequence.h"
#include "install/BrowserEntries.h"
#include "install/FilePlacement.h"
#include "install/PriorState.h"
#include "install/Shortcuts.h"
#include "install/UninstallRecord.h"
#include "options/AddressCorrection.h"
#include "app/Globals.h"
#include "app/Report.h"
#include "app/Product.h"
#include <objbase.h>

#define COM_FAILED "Internal error on CoInitialize(NULL):\n"
#define COPY_FAILED "Cannot copy Nimbrella ZAV files:\n"

/* Everything that may stop the installation; 1 when all of it is in place.
   What each step may change is noted (and every file it replaces kept)
   first, each folder as it is made, for TakeBackFailedInstall. */
static int PlaceProgramFiles(HWND owner)
{
    /* COM stays initialised for the rest of the process; a second run finds it
       initialised already, which is a success too. */
    HRESULT com = CoInitialize(NULL);
    if (FAILED(com)) {
        SetLastError((DWORD)com);
        ReportInstallError(owner, COM_FAILED, NULL);
        return 0;
    }
    if (!CreateInstallFolder()) {
        ReportPieces(owner, NULL, CAPTION_INSTALL_ERROR, "Cannot create Nimbrella ZAV folder.\n",
                     NOT_ENOUGH_PERMISSIONS, "\n", SYSTEM_ERROR_LEAD, NULL);
        return 0;
    }
    /* Every file the run will replace is kept first, so that a full disk or
       a folder that refuses new files stops the run before anything is
       replaced. */
    if (!KeepPriorFiles() || !CopySelfToInstallFolder()) {
        ReportInstallError(owner, COPY_FAILED, NULL);
        return 0;
    }
    /* An entry whose values cannot be noted could not be put back: it is
       left alone, and the installation goes on without it. */
    if (NotePriorUninstallEntry())
        WriteUninstallKey(owner);
    else
        ReportNoUninstallInfo(owner);
    for (int i = 0; i < MANIFEST_COUNT; i++) {
        const ManifestEntry &entry = FileManifest[i];
        if (!ExtractResourceFile(entry.resourceName, entry.resourceType, entry.fileName)) {
            ReportInstallError(owner, COPY_FAILED, NULL);
            return 0;
        }
    }
    return 1;
}

int InstallAll(HWND owner)
{
    ForgetPriorState();
    if (!PlaceProgramFiles(owner))
        return 0;
    /* From here on nothing stops the run: the kept originals go. */
    DropKeptOriginals(owner);
    AddContextMenuItems(owner);
    SwitchAddressCorrection(owner, true);
    /* Only the icons below add removal lines, so a second run in the same
       process starts a fresh list. */
    EmptyUninstallScript();
    if (installSettings.addToToolbar == 1)
        AddToolbarButton(owner);
    if (installSettings.addToDesktop == 1)
        CreateDesktopShortcut(owner);
    if (installSettings.addToStartMenu == 1) {
        startMenuFolder[0] = '\0';
        AddStartMenuItems(owner);
        /* Also after a failed item, so that the links made before it and
           their folder go at uninstall. */
        AppendUninstallLine("rmdir", startMenuFolder);
    }
    WriteUninstallData(owner);
    return 1;
}
