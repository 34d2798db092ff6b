/* Start-up: the choice of role and what each role does first. */
#ifndef NMZAV_APP_STARTUP_H
#define NMZAV_APP_STARTUP_H

#include "app/Product.h"
#include <windows.h>

#define UNINSTALL_QUESTION "Do you really want to completely remove\n" PRODUCT_NAME "?"
/* The default install folder on the system's drive. */
#define DEFAULT_FOLDER_TAIL "\\Program Files\\NimbrellaZAV"

/* The program's entry: runs one role for the given full command line. */
int ProgramMain(HINSTANCE instance, const char *commandLine);
/* What follows the program's own name on the command line, blanks skipped. */
const char *CommandLineRemainder(const char *commandLine);
/* 1 when the remainder is "/U" in any letter case, and nothing else. */
int IsUninstallArgument(const char *remainder);
/* Records the executable's path and its folder in the shared state. */
void RecordProgramPath(HINSTANCE instance);
/* 1 when the running executable is NMZAV.EXE with every carried file beside it. */
int IsInstalledCopy(void);
/* Sets installFolder to the default folder on the system directory's drive. */
void SetDefaultInstallFolder(void);

void RunUninstallRole(void);
void RunOptionsRole(void);
void RunInstallerRole(void);

#endif
