/* Bounded text composition: whatever does not fit is refused, never cut. */
#ifndef NMZAV_APP_TEXT_H
#define NMZAV_APP_TEXT_H

#include <windows.h>

/* The length of a zero-terminated text. The system's, so that the program
   needs no C runtime. */
inline size_t TextLength(const char *text)
{
    return (size_t)lstrlenA(text);
}

/* Fails as the system does on an overlong name: 0, with
   ERROR_FILENAME_EXCED_RANGE as the last error. */
int RefuseTooLong(void);
/* Copies text into out (size bytes, terminator included). Returns 1, or 0 with
   ERROR_FILENAME_EXCED_RANGE as the last error and out unchanged. */
int CopyText(char *out, size_t size, const char *text);
/* Appends text to the zero-terminated out; same rules as CopyText. */
int AppendText(char *out, size_t size, const char *text);
/* out = the texts given, one after another, up to the NULL that ends them.
   Returns 1, or 0 with ERROR_FILENAME_EXCED_RANGE as the last error when
   they do not all fit: out then holds those before the first that did not. */
int ComposeText(char *out, size_t size, ...);
/* out = folder + "\" + name; same rules as ComposeText. */
int ComposePath(char *out, size_t size, const char *folder, const char *name);
/* The last backslash of path, or NULL. The path is read by characters of the
   ANSI code page: on the East Asian ones the second byte of a character may
   be 0x5C, and is no backslash. */
char *LastBackslash(char *path);
/* 1 when a and b are equal, ignoring the case of ASCII letters only; texts in
   the ANSI code page. */
int EqualsIgnoreAsciiCase(const char *a, const char *b);

#endif
