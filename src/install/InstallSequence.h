/* The installation as one operation: the Install button's whole work. */
#ifndef NMZAV_INSTALL_INSTALLSEQUENCE_H
#define NMZAV_INSTALL_INSTALLSEQUENCE_H

#include <windows.h>

/* Installs into installSettings.installFolder with the chosen icons. 1 when
   the installation is in place (later optional steps may have reported
   problems); 0 when it had to stop, after telling the user why: the caller
   then takes the run back with TakeBackFailedInstall. */
int InstallAll(HWND owner);

#endif
