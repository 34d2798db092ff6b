/* Runs one wizard page so that a fault in its procedure ends the page instead
   of the program. */
#ifndef NMZAV_APP_PAGEGUARD_H
#define NMZAV_APP_PAGEGUARD_H

#include <windows.h>

/* Calls DialogBoxParamA for the page and stores its result in *result.
   Returns 1 when the page ended by itself, 0 when a fault left its procedure
   (the page was then ended and *result left as it was). */
int RunGuardedPage(HINSTANCE instance, int templateId, DLGPROC procedure, INT_PTR *result);

/* Calls procedure(page, message, wParam, lParam) and stores what it returned
   in *result. Returns 1, or 0 when a fault left the procedure: the frames
   above were unwound and the call abandoned. One per architecture. */
extern "C" int CallPageProcedure(DLGPROC procedure, HWND page, UINT message, WPARAM wParam,
                                 LPARAM lParam, INT_PTR *result);

#endif
