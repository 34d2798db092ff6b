/* Placing the program's files: the install folder, the copy of the running
   executable and the files it carries as resources. None of these shows a
   message; the caller reports a failure with the last error left behind. */
#ifndef NMZAV_INSTALL_FILEPLACEMENT_H
#define NMZAV_INSTALL_FILEPLACEMENT_H

#include <windows.h>

/* Makes the install folder and every missing folder above it. 1 when the
   install folder exists as a folder on return, else 0. */
int CreateInstallFolder(void);
/* Copies the running executable into the install folder as NMZAV.EXE,
   replacing one that is there, and never read-only. Non-zero on success. */
int CopySelfToInstallFolder(void);
/* Writes one carried resource of this module, byte for byte, to fileName in
   the install folder. 1 when the whole file was written and closed. */
int ExtractResourceFile(LPCSTR resourceName, LPCSTR resourceType, const char *fileName);

#endif
