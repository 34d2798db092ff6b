/* The browser's context-menu entries and toolbar button: registry keys that
   Internet Explorer reads when it opens a window. */
#ifndef NMZAV_INSTALL_BROWSERENTRIES_H
#define NMZAV_INSTALL_BROWSERENTRIES_H

#include <windows.h>

/* Number of context-menu entries, and the toolbar button's key under
   HKEY_LOCAL_MACHINE. */
#define CONTEXT_MENU_ITEM_COUNT 3
#define TOOLBAR_BUTTON_KEY                                                                      \
    "Software\\Microsoft\\Internet Explorer\\Extensions\\{6E0D2A71-93C4-4B8F-A215-5C07E9D3B184}"

/* One context-menu entry: its key under HKEY_CURRENT_USER (the part after
   "MenuExt\" is the entry's text), the script page it runs, and the browser's
   mask of the menus that offer it. */
struct ContextMenuItem {
    const char *keyPath;
    const char *scriptName;
    DWORD contexts;
};

extern const ContextMenuItem ContextMenuItems[CONTEXT_MENU_ITEM_COUNT];

/* 1 when all three context-menu keys exist, else 0. */
int ContextMenuItemsPresent(void);
/* Writes the three context-menu keys; 1 when all were written, else 0 after
   a message. */
int AddContextMenuItems(HWND owner);
/* Deletes the context-menu keys that exist; 1 unless a deletion failed, else
   0 after a message. */
int RemoveContextMenuItems(HWND owner);
/* Writes the toolbar button's key and its eight values; 1, or 0 after a
   message. */
int AddToolbarButton(HWND owner);
/* Deletes the toolbar button's key. 0 only when it exists, cannot be deleted
   and owner is a window (then after a message); else 1. */
int RemoveToolbarButton(HWND owner);

#endif
