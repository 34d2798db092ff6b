/* Page 6, Finish: ends the wizard, starting the installed copy or not. It
   leaves without LeavePage: nothing follows it that needs its rectangle or a
   frozen desktop. */
#include "wizard/Pages.h"
#include "wizard/PageFramework.h"
#include "app/Globals.h"
#include "resource.h"

static void EndWizardWith(HWND page, INT_PTR result)
{
    wizardState.currentPage = 0;
    EndDialog(page, result);
}

INT_PTR CALLBACK FinishPageProc(HWND page, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        OpenPage(page, IDC_FINISH_TITLE);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDCANCEL:
        case IDC_FINISH_START:
            EndWizardWith(page, LOWORD(wParam));
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}
