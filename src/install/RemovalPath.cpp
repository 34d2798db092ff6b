/* Paths in command-interpreter lines. The short 8.3 form has no blanks, so
   it is written bare as long as one exists; where the volume makes no short
   names the long path is used, and then a blank would split it into two
   arguments and a character such as & would start a second command. Quoting
   keeps such a path one argument; inside a batch file % still expands within
   quotes, so it is doubled. */
#include "install/RemovalPath.h"
#include "app/Text.h"
#include <string.h>

static int NeedsQuotes(const char *path)
{
    return strpbrk(path, " &|<>^(),;=%") != NULL;
}

static int Refuse(void)
{
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return 0;
}

int FormatRemovalPath(char *out, size_t size, const char *longPath)
{
    char shortPath[MAX_PATH];
    const char *path = longPath;
    DWORD length = GetShortPathNameA(longPath, shortPath, sizeof shortPath);
    if (length > 0 && length < sizeof shortPath)
        path = shortPath;

    if (!NeedsQuotes(path))
        return CopyText(out, size, path);

    size_t needed = 3; /* two quotes and the terminator */
    for (const char *c = path; *c; c++)
        needed += (*c == '%') ? 2 : 1;
    if (needed > size)
        return Refuse();

    char *next = out;
    *next++ = '"';
    for (const char *c = path; *c; c++) {
        if (*c == '%')
            *next++ = '%';
        *next++ = *c;
    }
    *next++ = '"';
    *next = '\0';
    return 1;
}
