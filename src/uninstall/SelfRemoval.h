/* Removal of the installation and of the executable itself. */
#ifndef NMZAV_UNINSTALL_SELFREMOVAL_H
#define NMZAV_UNINSTALL_SELFREMOVAL_H

#include <windows.h>

/* Name of the removal script in the temporary folder. */
#define REMOVAL_SCRIPT_NAME "UNINSTALL.BAT"
/* Tries the removal script makes, about a second apart, to delete the
   executable once the uninstaller has ended. */
#define REMOVAL_SCRIPT_TRIES 60

/* Runs RemoveAll, removes the links, the Start Menu folder and UNINSTALL.DAT
   that UNINSTALL.DAT names, and hands NMZAV.EXE and the install folder to a
   hidden batch script that deletes them after this process has ended. 0 when
   RemoveAll failed, else 1; the process is to end at once afterwards. */
int UninstallAndRemoveSelf(HWND owner);

#endif
