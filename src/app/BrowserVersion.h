/* The browser version check and the dotted version comparison. */
#ifndef NMZAV_APP_BROWSERVERSION_H
#define NMZAV_APP_BROWSERVERSION_H

#include <windows.h>

#define BROWSER_KEY "SOFTWARE\\Microsoft\\Internet Explorer"
#define BROWSER_TOO_OLD_TEXT "Microsoft Internet Explorer 4.01+ required"

/* 1 when the dotted version text is below major.minor.build.revision. */
int IsVersionBelow(const char *text, DWORD major, DWORD minor, DWORD build, DWORD revision);
/* Reads the browser's "Version" into browserVersion; 1 (after telling the
   user) when it is missing, unreadable or older than 4.72.2106.8. */
int IsBrowserTooOld(HWND owner);

#endif
