/* The message helper and the captions every message box of the program uses. */
#ifndef NMZAV_APP_REPORT_H
#define NMZAV_APP_REPORT_H

#include <windows.h>

#define CAPTION_INSTALL_ERROR "Nimbrella ZAV Installation Error"
#define CAPTION_INSTALL_INFO "Nimbrella ZAV Installation Info"
#define CAPTION_INFO "Nimbrella ZAV Info"
#define CAPTION_ERROR "Nimbrella ZAV Error"
#define CAPTION_MESSAGE "Nimbrella ZAV Message"
#define CAPTION_UNINSTALL "Nimbrella ZAV Uninstall"
#define CAPTION_INSTALLATION "Nimbrella ZAV Installation"

/* The first line of a message that lists files which could not be deleted. */
#define DELETE_FAILED "Cannot delete file(s):\n"

/* Runs release (a close or a free after a failure) and leaves the last error
   as it was before: the failure already recorded is what the user is told. */
template <typename Release> inline void KeepingLastError(Release release)
{
    DWORD error = GetLastError();
    release();
    SetLastError(error);
}

/* Pieces that several messages share. */
#define NOT_ENOUGH_PERMISSIONS "Maybe, you have not enough permissions on this computer."
#define SYSTEM_ERROR_LEAD "\nThe system error message:\n"
#define UNINSTALL_FAILED "Cannot uninstall Nimbrella ZAV:"

/* Size of the buffer a message is composed in; longer texts are cut. */
#define REPORT_BUFFER_SIZE 1024

/* Shows text followed by detail in an information box owned by owner.
   detail NULL appends the system's text for the last error (if not 0), ""
   appends nothing. The last error is 0 afterwards, in every case. */
void ReportMessage(HWND owner, const char *text, const char *detail, const char *caption);
/* ReportMessage with a text made of the pieces given, up to the NULL that
   ends them. */
void ReportPieces(HWND owner, const char *detail, const char *caption, ...);
/* Adds the line "\t<first>[<joint><second>]\n" to a message's list of paths,
   only when the whole line fits: a path cut short would name another one.
   When it does not, the list ends with the line "\t...\n" instead: there is
   more than it names. second may be NULL. */
void ListInMessage(char *list, size_t size, const char *first, const char *joint,
                   const char *second);
/* ReportMessage with the caption of installation errors. */
void ReportInstallError(HWND owner, const char *text, const char *detail);

#endif
