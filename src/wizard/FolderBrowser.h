/* The system's folder browser for the Destination folder page. */
#ifndef NMZAV_WIZARD_FOLDERBROWSER_H
#define NMZAV_WIZARD_FOLDERBROWSER_H

#include <windows.h>

/* Takes the page's folder field into installFolder, opens the browser on that
   folder and, when the user confirms one, puts the chosen folder's path into
   the field and into installFolder. Does nothing without a shell allocator. */
void BrowseForInstallFolder(HWND page);
/* Selects installFolder when the browser opens and shows the selected
   folder's path in its status line. */
int CALLBACK BrowseCallback(HWND browser, UINT message, LPARAM lParam, LPARAM data);

#endif
