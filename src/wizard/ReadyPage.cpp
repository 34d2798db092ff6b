/* Page 5, Ready: runs the installation. A failed one is taken back, exactly
   its own work and no more, and the page stays for another try; so is one
   that a fault cut short, when the page opens again, and one that another
   process left, when the page opens and before each Install. */
#include "wizard/Pages.h"
#include "wizard/PageFramework.h"
#include "install/InstallSequence.h"
#include "install/PriorState.h"
#include "resource.h"

static void Install(HWND page)
{
    /* Originals that a run cut short could not put back were named in the
       take-back's message: the earlier installation is not whole, and the
       run does not start over it. */
    if (!TakeBackFailedInstall(page))
        return;
    if (InstallAll(page)) {
        LeavePage(page, IDC_PAGE_NEXT, 6);
        return;
    }
    /* InstallAll has told the user why it stopped; the taking back reports
       its own failures, so its result needs no word here. An earlier
       installation it found keeps its files and registrations. */
    TakeBackFailedInstall(page);
}

INT_PTR CALLBACK ReadyPageProc(HWND page, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        OpenPage(page, IDC_READY_TITLE);
        /* A run that a fault cut short (the page guard ended the page, and
           shows it again), or whose process ended, is taken back now; after
           any other there is nothing noted, and this does nothing. */
        TakeBackFailedInstall(page);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_PAGE_NEXT) {
            Install(page);
            return TRUE;
        }
        return NavigatePage(page, LOWORD(wParam), 5);
    }
    return FALSE;
}
