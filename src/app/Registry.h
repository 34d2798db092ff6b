/* Thin registry helpers that keep the program's conventions: text values as
   REG_SZ counted without their terminator, DWORDs with 4 bytes, keys created
   non-volatile with full access and tested with KEY_READ before deletion. */
#ifndef NMZAV_APP_REGISTRY_H
#define NMZAV_APP_REGISTRY_H

#include <windows.h>

/* RegCreateKeyExA with an empty class; returns the registry's status. */
LONG CreateRegistryKey(HKEY root, const char *path, HKEY *key);
/* Writes text as REG_SZ with a byte count of its length (no terminator). */
LONG SetRegistryText(HKEY key, const char *name, const char *text);
/* Writes a REG_DWORD of 4 bytes. */
LONG SetRegistryDword(HKEY key, const char *name, DWORD value);
/* Reads one value of root\path, opened with access, as RegQueryValueExA
   does (type may be NULL); returns the status of the opening or of the
   read. */
LONG ReadRegistryValue(HKEY root, const char *path, REGSAM access, const char *name,
                       DWORD *type, void *data, DWORD *size);
/* 1 when root\path opens with KEY_READ. */
int RegistryKeyExists(HKEY root, const char *path);
/* 1 when root\path is absent or was deleted; 0 when it exists and could not
   be deleted, with the registry's error as the last error. */
int DeleteRegistryKeyIfPresent(HKEY root, const char *path);

#endif
