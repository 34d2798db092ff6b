/* The lines of UNINSTALL.DAT that the removal script may run. */
#ifndef NMZAV_UNINSTALL_OWNREMOVALLINES_H
#define NMZAV_UNINSTALL_OWNREMOVALLINES_H

#include <windows.h>

/* Keeps, in place and in their order, the lines of text (length bytes in the
   OEM code page, as UNINSTALL.DAT holds them) that an installation into
   installFolder writes; every other line is dropped. Returns the length kept. */
DWORD KeepOwnRemovalLines(char *text, DWORD length);

#endif
