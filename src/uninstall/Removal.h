/* Taking back what an installation registered and extracted. */
#ifndef NMZAV_UNINSTALL_REMOVAL_H
#define NMZAV_UNINSTALL_REMOVAL_H

#include <windows.h>

/* Switches address correction off and removes the browser entries, the
   uninstall entry and the carried files. 0 when one of the registry steps
   failed (reported) and the removal stopped there; else 1. Shortcuts,
   NMZAV.EXE, UNINSTALL.DAT and the folder are left to the removal script. */
int RemoveAll(HWND owner);
/* Deletes the eight carried files from the install folder. 1 when all were
   deleted; in the uninstall role the ones that were not are listed in one
   message. */
int DeleteInstalledFiles(HWND owner);

#endif
