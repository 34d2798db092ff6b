/* Page 1, Welcome: introduces the add-on and, before going on, warns when an
   earlier version is still installed. */
#include "wizard/Pages.h"
#include "wizard/PageFramework.h"
#include "wizard/PreviousVersions.h"
#include "app/Report.h"
#include "resource.h"

#define PREVIOUS_VERSION_QUESTION                                                        \
    "Some version of Nimbrella ZAV (or ORX ZAV) is already installed on your computer.\n" \
    "We recommend you to uninstall it before installing this version.\n\n"                \
    "Do you want to continue?"

/* Goes on to the Licence page unless an earlier version is installed and the
   user does not confirm; the question defaults to No. */
static void GoOnAfterPreviousVersionCheck(HWND page)
{
    if (IsPreviousVersionInstalled() &&
        MessageBoxA(page, PREVIOUS_VERSION_QUESTION, CAPTION_INSTALLATION,
                    MB_YESNO | MB_ICONINFORMATION | MB_DEFBUTTON2) != IDYES)
        return;
    LeavePage(page, IDC_PAGE_NEXT, 2);
}

INT_PTR CALLBACK WelcomePageProc(HWND page, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        OpenPage(page, IDC_WELCOME_TITLE);
        LoadDlgItemString(page, IDC_WELCOME_PRESS, IDS_WELCOME);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDCANCEL:
            LeavePage(page, IDCANCEL, 0);
            return TRUE;
        case IDC_PAGE_NEXT:
            GoOnAfterPreviousVersionCheck(page);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}
