/* The lines of UNINSTALL.DAT that the removal script may run. */
#ifndef NMZAV_UNINSTALL_OWNREMOVALLINES_H
#define NMZAV_UNINSTALL_OWNREMOVALLINES_H

#include <windows.h>

/* Writes to file, in their order and byte for byte, the lines of text
   (length bytes in the OEM code page, as UNINSTALL.DAT holds them) that an
   installation writes and that name the program's own links, Start Menu
   folder or installFolder's UNINSTALL.DAT; every other line is left out. */
void WriteOwnRemovalLines(HANDLE file, char *text, DWORD length);

#endif
