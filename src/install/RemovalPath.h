/* How a path is written into a line for the command interpreter (the removal
   lines of UNINSTALL.DAT and the removal script built from them). */
#ifndef NMZAV_INSTALL_REMOVALPATH_H
#define NMZAV_INSTALL_REMOVALPATH_H

#include <windows.h>

/* Room for any path of up to MAX_PATH - 1 characters written by
   FormatRemovalPath: two quotes, every character doubled, the terminator. */
#define REMOVAL_PATH_SIZE (2 * MAX_PATH + 2)

/* Writes longPath into out (size bytes, terminator included) so that cmd reads
   exactly that path: its short form where the system gives one, else the long
   path; in double quotes when it holds a blank or one of & | < > ^ ( ) , ; = %,
   with each % doubled. Returns 1, or 0 with ERROR_FILENAME_EXCED_RANGE as the
   last error when it does not fit, or with ERROR_INVALID_NAME when the OEM
   code page, in which cmd reads it, would change it (out is then
   unchanged). */
int FormatRemovalPath(char *out, size_t size, const char *longPath);
/* Whether a path keeps its characters in a line for cmd, which the program
   converts into the OEM code page. That conversion puts its best match for a
   character the code page lacks: a curly quote turns into a quote, a single
   angle quote into a redirection, a no-break space into 0xFF, which cmd
   takes for a blank and never passes. With asCmdReads 0 the path must come
   back the same when converted back to the ANSI code page, as the program
   reads a line of UNINSTALL.DAT. With asCmdReads 1 cmd itself must read the
   same characters from the OEM bytes, compared as Unicode: some best matches
   come back the same and are still another character to cmd (the broken
   bar 0xA6 of code page 1252 becomes 0xDD, a half block in code page 437).
   1, or 0 with ERROR_INVALID_NAME (or ERROR_FILENAME_EXCED_RANGE) as the last
   error. */
int SameForCmd(const char *path, int asCmdReads);
/* FormatRemovalPath onto the end of the zero-terminated text (size bytes). */
int AppendRemovalPath(char *text, size_t size, const char *longPath);
/* FormatRemovalPath's quoting alone: path written as it is given. */
int QuoteRemovalPath(char *out, size_t size, const char *path);

#endif
