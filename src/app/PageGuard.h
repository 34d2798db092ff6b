/* Runs one wizard page so that any exception escaping it is caught. */
#ifndef NMZAV_APP_PAGEGUARD_H
#define NMZAV_APP_PAGEGUARD_H

#include <windows.h>

/* Calls DialogBoxParamA for the page and stores its result in *result.
   Returns 1 when the page returned, 0 when an exception escaped it (then
   *result is left as it was). */
int RunGuardedPage(HINSTANCE instance, int templateId, DLGPROC procedure, INT_PTR *result);

#endif
