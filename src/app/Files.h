/* Whole files in one go: what the program writes out and reads back is small,
   and is always read or written entire. */
#ifndef NMZAV_APP_FILES_H
#define NMZAV_APP_FILES_H

#include <windows.h>

/* Closes a handle and leaves the last error as it was before: a failure
   already recorded is what the user is to be told. */
BOOL CloseKeepingError(HANDLE handle);
/* Reads a whole file into *bytes (process heap, NULL when the file is empty;
   free with FreeBytes) and its length into *size. 1, or 0 with the reason as
   the last error. The file is shared for reading only, so that it cannot
   change while it is read. */
int ReadWholeFile(const char *path, BYTE **bytes, DWORD *size);
/* Creates or truncates path with the given share mode and attributes and
   writes size bytes in one call. 1 when all were written and the file was
   closed; else 0 with the reason as the last error (the file may then be
   left empty or partly written). */
int WriteWholeFile(const char *path, const void *bytes, DWORD size, DWORD shareMode,
                   DWORD attributes);
void FreeBytes(void *bytes);

#endif
