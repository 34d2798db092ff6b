/* What a failed installation takes back. Before the install sequence makes a
   folder, writes a file or the uninstall entry, it notes what is there; after
   a failure exactly its own work goes, and whatever it replaced is put back
   as it was: an earlier installation, or the user's own files. */
#ifndef NMZAV_INSTALL_PRIORSTATE_H
#define NMZAV_INSTALL_PRIORSTATE_H

#include <windows.h>

/* Drops everything noted; the install sequence starts each run with it. */
void ForgetPriorState(void);
/* Notes which folders on the way down to the install folder exist. */
void NotePriorFolders(void);
/* Notes the bytes and attributes of installFolder\fileName, or that there is
   no such file. 0 when an existing file cannot be read (the last error says
   why): the run must then not write it, as it could not be put back. */
int NotePriorFile(const char *fileName);
/* Notes the uninstall entry's values, or that there is none. */
void NotePriorUninstallEntry(void);
/* Takes back what the run noted and then changed: deletes the files and
   folders it created, puts back the files it replaced and the uninstall
   entry. 1 when all of it was put back; else 0 after one message naming what
   could not be. Forgets the notes either way. */
int TakeBackFailedInstall(HWND owner);

#endif
