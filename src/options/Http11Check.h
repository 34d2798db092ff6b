/* The browser's HTTP 1.1 settings, which the service needs both on. */
#ifndef NMZAV_OPTIONS_HTTP11CHECK_H
#define NMZAV_OPTIONS_HTTP11CHECK_H

#include <windows.h>

#define INTERNET_SETTINGS_KEY "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings"

/* Warns, owned by dialog, when "ProxyHttp1.1" or "EnableHttp1_1" is a DWORD
   other than 1. Says nothing when either is missing or unreadable, or when
   "EnableHttp1_1" is not a DWORD. */
void CheckHttp11Settings(HWND dialog);

#endif
