/* Earlier versions of the add-on, or of its predecessor, that the system's
   list of installed programs still holds. */
#ifndef NMZAV_WIZARD_PREVIOUSVERSIONS_H
#define NMZAV_WIZARD_PREVIOUSVERSIONS_H

#include <windows.h>

struct PreviousVersion {
    const char *keyPath;     /* under HKEY_LOCAL_MACHINE */
    const char *displayName; /* the entry's "DisplayName" */
};

#define PREVIOUS_VERSION_COUNT 6

/* The registrations looked for, in the order they are tried. */
extern const PreviousVersion PreviousVersions[PREVIOUS_VERSION_COUNT];

/* 1 when HKEY_LOCAL_MACHINE\keyPath has a REG_SZ "DisplayName" equal to
   expectedName, ignoring the case of ASCII letters; 0 otherwise. */
int HasUninstallEntry(const char *keyPath, const char *expectedName);
/* 1 when any of PreviousVersions is registered. */
int IsPreviousVersionInstalled(void);

#endif
