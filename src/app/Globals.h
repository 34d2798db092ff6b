/* The program's process-wide state: every global is declared here once. */
#ifndef NMZAV_APP_GLOBALS_H
#define NMZAV_APP_GLOBALS_H

#include <windows.h>
#include <objidl.h>

/* Longest browser "Version" text that is read whole (terminator included). */
#define BROWSER_VERSION_SIZE 64

/* The user's installation choices. The flags hold check-box states (1 or 0);
   the install sequence acts on a flag only when it equals 1. The installer
   role starts with all three at 1. */
struct InstallSettings {
    char installFolder[MAX_PATH]; /* no trailing backslash added or removed */
    int addToStartMenu;
    int addToDesktop;
    int addToToolbar;
};

/* Navigation state shared by the page loop and the wizard pages; the
   installer role starts it on page 1 with the rectangle 128, 128, -1, -1. */
struct WizardState {
    int currentPage; /* page shown next, 1 to 6; 0 ends the wizard */
    RECT pageRect;   /* outer rectangle of the page left last; right < 0: none yet */
    HFONT titleFont; /* bold italic page titles, never deleted */
};

/* One file the program carries as a resource and installs. */
struct ManifestEntry {
    LPCSTR resourceName; /* text, or MAKEINTRESOURCE identifier */
    LPCSTR resourceType; /* text, or MAKEINTRESOURCE identifier */
    const char *fileName;
};

#define MANIFEST_COUNT 8

/* Module instance handle: dialog templates, strings and carried files. */
extern HINSTANCE moduleInstance;
/* Full path of the running executable. */
extern char programPath[MAX_PATH];
/* 1 in the uninstall role ("/U"), else 0. */
extern int uninstallMode;
/* The browser's "Version" text, always zero-terminated. */
extern char browserVersion[BROWSER_VERSION_SIZE];
/* The shell's task allocator for item-ID lists, or NULL. */
extern IMalloc *shellAllocator;
/* Choices the wizard collects and the install engine reads. */
extern InstallSettings installSettings;
/* The wizard's navigation state. */
extern WizardState wizardState;
/* The eight carried files, in extraction, test and deletion order. */
extern const ManifestEntry FileManifest[MANIFEST_COUNT];
/* Removal lines of the current install run: whole CR LF lines, zero-terminated,
   in local memory; NULL when none were collected. */
extern char *uninstallScript;
/* Start Menu folder of the current install run; empty when none. */
extern char startMenuFolder[MAX_PATH];

#endif
