/* Web address correction: the browser's prefix for addresses typed without a
   scheme, switched between the plain "http://" and the service's prefix. */
#ifndef NMZAV_OPTIONS_ADDRESSCORRECTION_H
#define NMZAV_OPTIONS_ADDRESSCORRECTION_H

#include <windows.h>

/* The browser's prefix keys under HKEY_LOCAL_MACHINE. */
#define DEFAULT_PREFIX_KEY "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\URL\\DefaultPrefix"
#define PREFIXES_KEY "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\URL\\Prefixes"

/* The plain prefix, the service's, and the two that earlier releases wrote
   (recognised, never written). */
extern const char HttpPrefix[];
extern const char ServicePrefix[];
extern const char LegacyNmPrefix[];
extern const char LegacyOrxPrefix[];

/* True when the default prefix is one of the program's own; with
   scanPrefixes, also when any value under Prefixes is. */
bool QueryAddressCorrection(bool scanPrefixes);
/* Turns correction on or off. True on success or when nothing had to change;
   false after a refusal or failure, both reported. */
bool SwitchAddressCorrection(HWND owner, bool enable);
/* Puts "http://" back wherever the program's own prefixes are; true on
   success or when nothing had to change. A failure is reported only in the
   uninstall role. */
bool RestoreDefaultPrefixes(HWND owner);
/* Rewrites one value of key when it holds a switchable prefix. Returns 0
   (done, or nothing to do), -1 (a foreign default refused, reported) or the
   registry's error code. */
int RewritePrefixValue(HWND owner, HKEY key, const char *valueName, bool enable,
                       bool refuseForeign);

#endif
