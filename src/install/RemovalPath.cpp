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

int SameForCmd(const char *path, int asCmdReads)
{
    char oem[MAX_PATH];
    WCHAR written[MAX_PATH];
    WCHAR read[MAX_PATH];
    int length = (int)TextLength(path) + 1;
    if (length > MAX_PATH)
        return RefuseTooLong();
    CharToOemBuffA(path, oem, (DWORD)length);
    int same = 1;
    for (int i = 0; i < length; i++)
        same &= (BYTE)oem[i] != 0xFF;
    UINT page = CP_OEMCP;
    if (!asCmdReads) {
        OemToCharBuffA(oem, oem, (DWORD)length);
        page = CP_ACP;
    }
    int count = MultiByteToWideChar(CP_ACP, 0, path, length, written, MAX_PATH);
    same &= count > 0 && MultiByteToWideChar(page, 0, oem, length, read, MAX_PATH) == count;
    for (int i = 0; same && i < count; i++)
        same = written[i] == read[i];
    if (!same)
        SetLastError(ERROR_INVALID_NAME);
    return same;
}

int FormatRemovalPath(char *out, size_t size, const char *longPath)
{
    char shortPath[MAX_PATH];
    DWORD length = GetShortPathNameA(longPath, shortPath, sizeof shortPath);
    const char *path = length > 0 && length < sizeof shortPath ? shortPath : longPath;
    return SameForCmd(path, 0) && QuoteRemovalPath(out, size, path);
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
