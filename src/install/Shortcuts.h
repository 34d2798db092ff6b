/* Shell links to the installed program: one on the desktop, and a Start Menu
   folder with five. Every link that is saved is recorded as a removal line. */
#ifndef NMZAV_INSTALL_SHORTCUTS_H
#define NMZAV_INSTALL_SHORTCUTS_H

#include <windows.h>

/* Name of the Start Menu folder and of the program's own links. */
#define START_MENU_FOLDER_NAME "Nimbrella ZAV"
#define PROGRAM_LINK_NAME "Nimbrella ZAV.lnk"
#define DESKTOP_LINK_DESCRIPTION "Nimbrella Zavex Add-on"

/* One link of the Start Menu folder or the desktop. Target and icon files
   are names in the install folder; arguments and iconFile may be NULL. */
struct StartMenuItem {
    const char *linkName;
    const char *targetFile;
    const char *description;
    const char *arguments;
    const char *iconFile;
    int iconIndex;
};

#define START_MENU_ITEM_COUNT 5

/* The links of the Start Menu folder, in the order they are made. */
extern const StartMenuItem StartMenuItems[START_MENU_ITEM_COUNT];

/* The file-system path of one of the shell's special folders (CSIDL_...) into
   path (MAX_PATH bytes); 1, or 0 when the shell names none. */
int SpecialFolderPath(HWND owner, int folderId, char *path);
/* Saves "Nimbrella ZAV.lnk" on the desktop. 0 after a failure of the link
   (reported); 1 otherwise, also when the shell names no desktop folder. */
int CreateDesktopShortcut(HWND owner);
/* Finds or makes the folder "Nimbrella ZAV" in the special folder folderId
   and writes its path into path (MAX_PATH bytes). 1 when path names an
   existing folder on return, else 0 (path may then be empty). */
int EnsureStartMenuFolder(HWND owner, int folderId, char *path);
/* Saves one link into startMenuFolder, finding or making that folder first
   when it is empty. 1 when the link was saved, else 0 (reported). */
int AddStartMenuItem(HWND owner, const char *linkName, const char *targetFile,
                     const char *description, const char *arguments, const char *iconFile,
                     int iconIndex);
/* Saves the links of StartMenuItems in order, each only when the one before
   it was saved; the first failure has been reported and ends the chain.
   1 when all five were saved. */
int AddStartMenuItems(HWND owner);

#endif
