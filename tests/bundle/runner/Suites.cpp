/* See Suites.h. */
#include "Suites.h"
#include <windows.h>
#include <stdlib.h>
#include <string.h>

/* The next field of a line, ended at a tab (which becomes its terminator) or
   at the line's end; NULL when the line has no more. */
static char *NextField(char **at)
{
    char *field = *at;
    if (field == NULL)
        return NULL;
    char *stop = field;
    while (*stop != '\t' && *stop != '\0')
        stop++;
    *at = *stop == '\t' ? stop + 1 : NULL;
    *stop = '\0';
    return field;
}

int SplitSuites(char *text, SuiteList *list)
{
    int lines = 1;
    for (const char *c = text; *c; c++)
        lines += *c == '\n';
    list->text = text;
    list->count = 0;
    list->suites = (Suite *)calloc(lines, sizeof(Suite));
    if (list->suites == NULL)
        return 0;
    for (char *line = text; line && *line;) {
        char *next = strchr(line, '\n');
        if (next)
            *next++ = '\0';
        size_t length = strlen(line);
        if (length && line[length - 1] == '\r')
            line[length - 1] = '\0';
        if (*line && *line != '#') {
            Suite *suite = &list->suites[list->count];
            char *at = line;
            suite->kind = NextField(&at);
            suite->name = NextField(&at);
            suite->program = NextField(&at);
            suite->arguments = NextField(&at);
            suite->changes = NextField(&at);
            if (suite->changes == NULL || at != NULL) {
                list->count = 0;
                return 0;
            }
            list->count++;
        }
        line = next;
    }
    return list->count > 0;
}

int ReadSuites(const char *path, SuiteList *list)
{
    list->count = 0;
    list->suites = NULL;
    list->text = NULL;
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    DWORD size = GetFileSize(file, NULL), read = 0;
    char *text = size == INVALID_FILE_SIZE ? NULL : (char *)malloc(size + 1);
    int done = text && ReadFile(file, text, size, &read, NULL) && read == size;
    CloseHandle(file);
    if (!done) {
        free(text);
        return 0;
    }
    text[size] = '\0';
    return SplitSuites(text, list);
}

int ChangesMachine(const Suite *suite)
{
    return strcmp(suite->kind, "acceptance") == 0 || suite->changes[0] != '\0';
}
