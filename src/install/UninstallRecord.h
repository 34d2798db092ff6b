/* What makes an installation removable: the entry in the system's list of
   installed programs, and UNINSTALL.DAT, the removal lines for the shortcuts
   and folders made outside the install folder. */
#ifndef NMZAV_INSTALL_UNINSTALLRECORD_H
#define NMZAV_INSTALL_UNINSTALLRECORD_H

#include "app/Product.h"
#include <windows.h>

/* The uninstall entry under HKEY_LOCAL_MACHINE, and its "DisplayName"; the
   Welcome page reads the same value to find an earlier installation. */
#define UNINSTALL_LIST_KEY "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\"
#define UNINSTALL_KEY UNINSTALL_LIST_KEY "NimbrellaZAV"
#define UNINSTALL_DISPLAY_NAME PRODUCT_NAME
/* The entry's two values: the name in the list, the command that removes. */
#define DISPLAY_NAME_VALUE "DisplayName"
#define UNINSTALL_STRING_VALUE "UninstallString"
/* Name of the removal-line file in the install folder. */
#define UNINSTALL_DATA_NAME "UNINSTALL.DAT"

/* Drops every collected removal line (uninstallScript becomes NULL); the
   install sequence calls it before it makes the toolbar entry and shortcuts. */
void EmptyUninstallScript(void);
/* Adds the line verb + " " + path + CR LF to uninstallScript, the path as
   FormatRemovalPath writes it; path is the long path of something that exists
   now. An empty path adds nothing. Returns 1, or 0 when the line could not be
   added (the last error says why); such a loss is reported by
   WriteUninstallData. */
int AppendUninstallLine(const char *verb, const char *path);
/* Writes uninstallScript, with a last line that deletes the file itself, to
   installFolder\UNINSTALL.DAT in the OEM code page, replacing any earlier
   file. Failures are reported; the installation goes on either way. */
void WriteUninstallData(HWND owner);
/* Tells the user that the installation cannot be removed through the list
   of installed programs, with the system's words for the last error. */
void ReportNoUninstallInfo(HWND owner);
/* Writes the uninstall entry: "DisplayName" and the quoted command
   "<installFolder>\NMZAV.EXE" /U. Failures are reported. */
void WriteUninstallKey(HWND owner);
/* Deletes the uninstall entry. 1 when it is gone or was never there; 0 after
   a failed deletion, which has been reported. */
int RemoveUninstallKey(HWND owner);

#endif
