/* The wizard page's exception guard. A fault that leaves a page's procedure
   cannot be caught around DialogBoxParamA: on x86_64, and for 32-bit programs
   on 64-bit Windows, the system's message dispatch swallows it, and on 32-bit
   x86 a jump out of the dialog would leave the page's window alive. So every
   message reaches the page's procedure through CallPageProcedure, which
   catches the fault right there (PageGuardI686.cpp, PageGuardX64.cpp); the
   page is then ended like any other and its window destroyed. */
#include "app/PageGuard.h"

/* The page procedure that RunGuardedPage is showing, and whether a fault has
   left it. Pages are shown one at a time. */
static DLGPROC guardedProcedure;
static int guardedPageFailed;

static INT_PTR CALLBACK GuardedPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    INT_PTR result = FALSE;
    if (CallPageProcedure(guardedProcedure, page, message, wParam, lParam, &result))
        return result;
    guardedPageFailed = 1;
    EndDialog(page, 0);
    return TRUE;
}

int RunGuardedPage(HINSTANCE instance, int templateId, DLGPROC procedure, INT_PTR *result)
{
    guardedProcedure = procedure;
    guardedPageFailed = 0;
    INT_PTR value = DialogBoxParamA(instance, MAKEINTRESOURCEA(templateId), NULL,
                                    GuardedPageProc, 0);
    if (guardedPageFailed)
        return 0;
    *result = value;
    return 1;
}
