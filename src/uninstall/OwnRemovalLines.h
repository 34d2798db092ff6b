/* The removal lines of UNINSTALL.DAT, carried out by the uninstaller. */
#ifndef NMZAV_UNINSTALL_OWNREMOVALLINES_H
#define NMZAV_UNINSTALL_OWNREMOVALLINES_H

#include <windows.h>

/* Removes, in their order, the items that the lines of text (length bytes
   in the OEM code page, as UNINSTALL.DAT holds them) name when they are lines
   an installation writes and name the program's own links, Start Menu folder
   or installFolder's UNINSTALL.DAT, which goes last; every other line is left
   out. Failures are not reported. The text is changed. */
void RemoveOwnItems(char *text, DWORD length);

#endif
