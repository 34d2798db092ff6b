/* Paths in command-interpreter lines. The short 8.3 form has no blanks, so
   it is written bare as long as one exists; where the volume makes no short
   names the long path is used, and then a blank would split it into two
   arguments and a character such as & would start a second command. Quoting
   keeps such a path one argument; inside a batch file % still expands within
   quotes, so it is doubled. */
#include "install/RemovalPath.h"
#include "app/Text.h"

/* Read by characters: the second byte of a double-byte character may be a
   ^ or | (0x5E, 0x7C), and is neither. */
static int NeedsQuotes(const char *path)
{
    for (const char *c = path; *c; c = CharNextA(c))
        for (const char *special = " &|<>^(),;=%"; *special; special++)
            if (*c == *special)
                return 1;
    return 0;
}

/* cmd reads its lines in the OEM code page, into which the program converts
   them, and the conversion puts its best match for a character that code
   page lacks: a curly quote turns into a quote, a single angle quote into a
   redirection, a no-break space into 0xFF, which cmd takes for a blank. So
   only a path that comes back the same, and holds no 0xFF there, is written
   (else 0 with ERROR_INVALID_NAME). */
static int SameForCmd(const char *path)
{
    char oem[MAX_PATH];
    char back[MAX_PATH];
    DWORD length = (DWORD)TextLength(path) + 1;
    if (length > MAX_PATH)
        return RefuseTooLong();
    CharToOemBuffA(path, oem, length);
    OemToCharBuffA(oem, back, length);
    for (DWORD i = 0; i < length; i++)
        if ((BYTE)oem[i] == 0xFF || back[i] != path[i]) {
            SetLastError(ERROR_INVALID_NAME);
            return 0;
        }
    return 1;
}

int FormatRemovalPath(char *out, size_t size, const char *longPath)
{
    char shortPath[MAX_PATH];
    DWORD length = GetShortPathNameA(longPath, shortPath, sizeof shortPath);
    const char *path = length > 0 && length < sizeof shortPath ? shortPath : longPath;
    return SameForCmd(path) && QuoteRemovalPath(out, size, path);
}

int AppendRemovalPath(char *text, size_t size, const char *longPath)
{
    size_t used = TextLength(text);
    return used < size && FormatRemovalPath(text + used, size - used, longPath);
}

int QuoteRemovalPath(char *out, size_t size, const char *path)
{
    if (!NeedsQuotes(path))
        return CopyText(out, size, path);

    size_t needed = 3; /* two quotes and the terminator */
    for (const char *c = path; *c; c++)
        needed += (*c == '%') ? 2 : 1;
    if (needed > size)
        return RefuseTooLong();

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
