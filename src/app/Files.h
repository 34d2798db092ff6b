/* Files and folders: whether a path names one, and whole files in one go
   (what the program writes out and reads back is small, and always read or
   written entire). */
#ifndef NMZAV_APP_FILES_H
#define NMZAV_APP_FILES_H

#include <windows.h>

/* 1 when path names an existing folder; IsFile: an existing file, not a
   folder. */
int IsFolder(const char *path);
int IsFile(const char *path);
/* Reads a whole file into *bytes (local memory; free with FreeBytes) and its
   length into *size. 1, or 0 with the reason as the last error; a file of
   4 GiB or more cannot be read whole. The file is shared for reading only,
   so that it cannot change while it is read. */
int ReadWholeFile(const char *path, BYTE **bytes, DWORD *size);
/* Writes size bytes to an open file in one call and closes it. 1 when all
   were written and the file was closed; else 0 with the reason as the last
   error (the file may then be left empty or partly written). */
int WriteAndClose(HANDLE file, const void *bytes, DWORD size);
/* Opens path as creation says (CREATE_ALWAYS, CREATE_NEW, OPEN_EXISTING),
   shared for reading only, with the archive attribute, then WriteAndClose. */
int WriteWholeFile(const char *path, const void *bytes, DWORD size, DWORD creation);
void FreeBytes(void *bytes);
/* Deletes a file the program made, clearing a read-only attribute first (a
   copy takes its source's). DeleteFileA's result and last error. */
int DeleteOwnFile(const char *path);

#endif
