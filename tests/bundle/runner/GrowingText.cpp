/* See GrowingText.h. */
#include "GrowingText.h"
#include <windows.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

/* The block realloc gave; the runner cannot go on without it. */
static char *Granted(void *block)
{
    if (block == NULL) {
        fputs("RUNTESTS: out of memory\n", stderr);
        ExitProcess(1);
    }
    return (char *)block;
}

void AddBytes(GrowingText *text, const char *part, size_t length)
{
    if (text->length + length + 1 > text->room) {
        size_t room = (text->length + length + 1) * 2;
        text->bytes = Granted(realloc(text->bytes, room));
        text->room = room;
    }
    memcpy(text->bytes + text->length, part, length);
    text->length += length;
    text->bytes[text->length] = '\0';
}

void AddText(GrowingText *text, const char *part)
{
    AddBytes(text, part, strlen(part));
}

void AddFormat(GrowingText *text, const char *format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    int length = vsnprintf(NULL, 0, format, arguments);
    va_end(arguments);
    if (length <= 0)
        return;
    char *part = Granted(malloc((size_t)length + 1));
    va_start(arguments, format);
    vsnprintf(part, (size_t)length + 1, format, arguments);
    va_end(arguments);
    AddBytes(text, part, (size_t)length);
    free(part);
}

void ClearText(GrowingText *text)
{
    text->length = 0;
    if (text->bytes)
        text->bytes[0] = '\0';
}

const char *TextOf(const GrowingText *text)
{
    return text->bytes ? text->bytes : "";
}

void FreeText(GrowingText *text)
{
    free(text->bytes);
    text->bytes = NULL;
    text->length = text->room = 0;
}
