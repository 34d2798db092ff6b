/* What a failed installation takes back. Before the install sequence makes a
   folder, replaces a file or writes the uninstall entry, it notes what is
   there, and every file it will replace is first kept as a copy of its own
   beside it, on a record in the install folder; after a failure exactly its
   own work goes, and whatever it replaced is put back as it was: an earlier
   installation, or the user's own files. A run cut short leaves its record,
   and the next take-back in that folder puts its originals back. */
#ifndef NMZAV_INSTALL_PRIORSTATE_H
#define NMZAV_INSTALL_PRIORSTATE_H

#include <windows.h>

/* Drops everything noted; the install sequence starts each run with it. */
void ForgetPriorState(void);
/* CreateInstallFolder notes each folder it makes by the length of the path
   of the folder above it: the first one's ends the folders that existed.
   Returns 1. */
int NoteMadeFolder(size_t parentLength);
/* Notes NMZAV.EXE and the carried files of the install folder, keeping a copy
   of each that exists under a new name beside it, named on the record first,
   and then moves each original onto its copy, out of the run's way. 0 when
   one cannot be kept, or is too large to be compared whole later, or the
   record cannot be written (the last error says why): the run must then
   replace nothing. */
int KeepPriorFiles(void);
/* Notes the uninstall entry's values, or that there is none. 0 when they
   cannot be noted (the last error says why): the entry must then not be
   written, as it could not be put back. */
int NotePriorUninstallEntry(void);
/* The run is in place: deletes the kept originals and the record, and drops
   the notes. One that cannot be deleted is reported. */
void DropKeptOriginals(HWND owner);
/* Takes back what the run noted and then changed: deletes the files it
   created, renames each kept original back over the file that replaced it,
   removes the folders the run made and puts back the uninstall entry. The
   originals a cut run's record in the install folder names are put back the
   same way. 1 when all of it was put back (or nothing was noted); else 0
   after one message naming what could not be, and where such an original is
   kept, whose record then stays. Forgets the notes either way. */
int TakeBackFailedInstall(HWND owner);

#endif
