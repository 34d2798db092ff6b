/* Bounded text composition shared by every part of the program. A composed
   path or command that does not fit is refused with the same last error the
   system gives for an overlong name, so callers report it like any failure. */
#include "app/Text.h"
#include <stdarg.h>
#include <string.h>

int RefuseTooLong(void)
{
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return 0;
}

int CopyText(char *out, size_t size, const char *text)
{
    size_t length = TextLength(text);
    if (length >= size)
        return RefuseTooLong();
    memcpy(out, text, length + 1);
    return 1;
}

int AppendText(char *out, size_t size, const char *text)
{
    size_t used = TextLength(out);
    return used < size ? CopyText(out + used, size - used, text) : RefuseTooLong();
}

int ComposeText(char *out, size_t size, ...)
{
    va_list texts;
    va_start(texts, size);
    out[0] = '\0';
    int fits = 1;
    for (const char *text; fits && (text = va_arg(texts, const char *)) != NULL;)
        fits = AppendText(out, size, text);
    va_end(texts);
    return fits;
}

int ComposePath(char *out, size_t size, const char *folder, const char *name)
{
    return ComposeText(out, size, folder, "\\", name, NULL);
}

char *LastBackslash(char *path)
{
    char *last = NULL;
    for (char *p = path; *p; p = CharNextA(p))
        if (*p == '\\')
            last = p;
    return last;
}

static char LowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? (char)(c - 'A' + 'a') : c;
}

int EqualsIgnoreAsciiCase(const char *a, const char *b)
{
    for (;;) {
        /* The second byte of a double-byte character is compared as it is:
           folded, it could turn into another character. */
        const char *next = CharNextA(a);
        if (next - a == 2) {
            if (a[0] != b[0] || a[1] != b[1])
                return 0;
        } else if (LowerAscii(*a) != LowerAscii(*b)) {
            return 0;
        } else if (!*a) {
            return 1;
        }
        b += next - a;
        a = next;
    }
}
