/* Opens the service's start page, installed beside the program. */
#ifndef NMZAV_OPTIONS_STARTPAGE_H
#define NMZAV_OPTIONS_STARTPAGE_H

#include <windows.h>

/* Opens installFolder\startnm.htm with the system's handler for it; a failure
   is reported with the page's full path and the system's reason. */
void OpenStartPage(HWND dialog);

#endif
