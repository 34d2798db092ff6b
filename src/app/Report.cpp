/* Every failure and warning reaches the user through ReportMessage: a fixed
   text, then a second text or the system's own words for the last error. */
#include "app/Report.h"
#include "app/Text.h"
#include <stdarg.h>
#include <string.h>

/* Appends as much of text as fits; a message box text may be cut, unlike a
   path or command. */
static void AppendCut(char *buffer, const char *text)
{
    size_t used = TextLength(buffer);
    size_t room = REPORT_BUFFER_SIZE - 1 - used;
    size_t length = TextLength(text);
    if (length > room)
        length = room;
    memcpy(buffer + used, text, length);
    buffer[used + length] = '\0';
}

void ReportMessage(HWND owner, const char *text, const char *detail, const char *caption)
{
    ReportPieces(owner, detail, caption, text, NULL);
}

void ReportPieces(HWND owner, const char *detail, const char *caption, ...)
{
    char buffer[REPORT_BUFFER_SIZE];
    va_list pieces;
    va_start(pieces, caption);
    buffer[0] = '\0';
    for (const char *piece; (piece = va_arg(pieces, const char *)) != NULL;)
        AppendCut(buffer, piece);
    va_end(pieces);
    if (detail) {
        AppendCut(buffer, detail);
    } else {
        DWORD code = GetLastError();
        char *systemText = NULL;
        if (code != 0 &&
            FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS |
                               FORMAT_MESSAGE_FROM_SYSTEM,
                           NULL, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                           (LPSTR)&systemText, 0, NULL) && systemText) {
            AppendCut(buffer, systemText);
        }
        if (systemText)
            LocalFree(systemText);
    }
    SetLastError(0);
    MessageBoxA(owner, buffer, caption, MB_OK | MB_ICONINFORMATION);
}

/* The last line of a list that had more paths than room. */
#define LIST_GOES_ON "\t...\n"

static void AppendListEnd(char *list, size_t size)
{
    size_t used = TextLength(list);
    if (used < sizeof LIST_GOES_ON - 1 ||
        !EqualsIgnoreAsciiCase(list + used - (sizeof LIST_GOES_ON - 1), LIST_GOES_ON))
        AppendText(list, size, LIST_GOES_ON);
}

void ListInMessage(char *list, size_t size, const char *first, const char *joint,
                   const char *second)
{
    char line[REPORT_BUFFER_SIZE];
    if (!second)
        joint = second = "";
    /* A line that does not fit leaves room for the mark that there are more. */
    if (!ComposeText(line, sizeof line, "\t", first, joint, second, "\n", NULL) ||
        TextLength(list) + TextLength(line) + sizeof LIST_GOES_ON > size ||
        !AppendText(list, size, line))
        AppendListEnd(list, size);
}

void ReportInstallError(HWND owner, const char *text, const char *detail)
{
    ReportMessage(owner, text, detail, CAPTION_INSTALL_ERROR);
}
