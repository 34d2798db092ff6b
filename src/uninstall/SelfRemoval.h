/* Removal of the installation and of the executable itself. */
#ifndef NMZAV_UNINSTALL_SELFREMOVAL_H
#define NMZAV_UNINSTALL_SELFREMOVAL_H

#include <windows.h>

int UninstallAndRemoveSelf(HWND owner);

#endif
