/* Bounded text composition shared by every part of the program. A composed
   path or command that does not fit is refused with the same last error the
   system gives for an overlong name, so callers report it like any failure. */
#include "app/Text.h"
#include <string.h>

int RefuseTooLong(void)
{
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return 0;
}

int CopyText(char *out, size_t size, const char *text)
{
    size_t length = strlen(text);
    if (length >= size)
        return RefuseTooLong();
    memcpy(out, text, length + 1);
    return 1;
}

int AppendText(char *out, size_t size, const char *text)
{
    size_t used = strlen(out);
    size_t length = strlen(text);
    if (used >= size || length >= size - used)
        return RefuseTooLong();
    memcpy(out + used, text, length + 1);
    return 1;
}

int ComposePath(char *out, size_t size, const char *folder, const char *name)
{
    size_t folderLength = strlen(folder);
    size_t nameLength = strlen(name);
    if (folderLength + 1 + nameLength >= size)
        return RefuseTooLong();
    memcpy(out, folder, folderLength);
    out[folderLength] = '\\';
    memcpy(out + folderLength + 1, name, nameLength + 1);
    return 1;
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

int EqualsIgnoreAsciiCaseIn(UINT codePage, const char *a, const char *b)
{
    while (*a) {
        /* The second byte of a double-byte character is compared as it is:
           folded, it could turn into another character. */
        if (IsDBCSLeadByteEx(codePage, (BYTE)*a)) {
            if (a[0] != b[0] || a[1] != b[1])
                return 0;
            if (!a[1])
                return 1;
            a += 2;
            b += 2;
            continue;
        }
        if (LowerAscii(*a) != LowerAscii(*b))
            return 0;
        a++;
        b++;
    }
    return *b == '\0';
}

int EqualsIgnoreAsciiCase(const char *a, const char *b)
{
    return EqualsIgnoreAsciiCaseIn(CP_ACP, a, b);
}
