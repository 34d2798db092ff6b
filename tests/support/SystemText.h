/* The system's own text for an error code, as ReportMessage appends it. */
#ifndef NMZAV_TESTS_SYSTEMTEXT_H
#define NMZAV_TESTS_SYSTEMTEXT_H

#include <windows.h>
#include <string>

/* FormatMessageA's text for code; empty when the system has none. */
std::string SystemText(DWORD code);

#endif
