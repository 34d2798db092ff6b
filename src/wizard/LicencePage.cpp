/* Page 2, Licence: agreeing goes on, disagreeing ends the wizard. */
#include "wizard/Pages.h"
#include "wizard/PageFramework.h"
#include "resource.h"

INT_PTR CALLBACK LicencePageProc(HWND page, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        PlacePage(page);
        LoadDlgItemString(page, IDC_LICENCE_TEXT, IDS_LICENCE);
        SetTitleFont(page, IDC_LICENCE_TITLE);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDCANCEL:
            LeavePage(page, IDCANCEL, 0);
            return TRUE;
        case IDC_PAGE_BACK:
            LeavePage(page, IDC_PAGE_BACK, 1);
            return TRUE;
        case IDC_PAGE_NEXT:
            LeavePage(page, IDC_PAGE_NEXT, 3);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}
