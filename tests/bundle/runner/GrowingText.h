/* A text that grows as parts are added: the runner's one way to compose what
   it reports, whose length it cannot know beforehand (a suite's output). */
#ifndef NMZAV_RUNNER_GROWINGTEXT_H
#define NMZAV_RUNNER_GROWINGTEXT_H

#include <stddef.h>

struct GrowingText {
    char *bytes;   /* zero-terminated; NULL while nothing was added */
    size_t length; /* without the terminator */
    size_t room;
};

/* Adds length bytes of part. Out of memory ends the runner with a word. */
void AddBytes(GrowingText *text, const char *part, size_t length);
void AddText(GrowingText *text, const char *part);
/* Adds what printf would write for format. */
void AddFormat(GrowingText *text, const char *format, ...)
    __attribute__((format(gnu_printf, 2, 3)));
/* Empties the text, keeping its room. */
void ClearText(GrowingText *text);
/* The text so far, "" while empty. */
const char *TextOf(const GrowingText *text);
void FreeText(GrowingText *text);

#endif
