/* Removal of the installation's registrations and carried files, used by the
   uninstaller and, after a failed installation, by the Ready page. */
#include "uninstall/Removal.h"
#include "install/BrowserEntries.h"
#include "install/UninstallRecord.h"
#include "options/AddressCorrection.h"
#include "app/Globals.h"
#include "app/Report.h"
#include "app/Text.h"

int RemoveAll(HWND owner)
{
    if (!RestoreDefaultPrefixes(owner) || !RemoveContextMenuItems(owner) ||
        !RemoveToolbarButton(owner) || !RemoveUninstallKey(owner))
        return 0;
    DeleteInstalledFiles(owner);
    return 1;
}

int DeleteInstalledFiles(HWND owner)
{
    char list[REPORT_BUFFER_SIZE];
    DWORD failure = ERROR_SUCCESS;
    CopyText(list, sizeof list, DELETE_FAILED);
    int allDeleted = 1;
    for (int i = 0; i < MANIFEST_COUNT; i++) {
        const char *fileName = FileManifest[i].fileName;
        char path[MAX_PATH];
        if (ComposePath(path, sizeof path, installSettings.installFolder, fileName) &&
            DeleteFileA(path))
            continue;
        failure = GetLastError();
        allDeleted = 0;
        ListInMessage(list, sizeof list, installSettings.installFolder, "\\", fileName);
    }
    if (!allDeleted && uninstallMode == 1) {
        /* The system's text that follows the list is that of the last failure. */
        SetLastError(failure);
        ReportMessage(owner, list, NULL, CAPTION_INFO);
    }
    return allDeleted;
}
