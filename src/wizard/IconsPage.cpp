/* Page 4, Icons: which shortcuts and whether the toolbar button are made. */
#include "wizard/Pages.h"
#include "wizard/PageFramework.h"
#include "wizard/IconChoices.h"
#include "resource.h"

INT_PTR CALLBACK IconsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        PlacePage(page);
        SetTitleFont(page, IDC_ICONS_TITLE);
        InitIconChoices(page);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDCANCEL:
            LeavePage(page, IDCANCEL, 0);
            return TRUE;
        case IDC_PAGE_BACK:
            ReadIconChoices(page);
            LeavePage(page, IDC_PAGE_BACK, 3);
            return TRUE;
        case IDC_PAGE_NEXT:
            ReadIconChoices(page);
            LeavePage(page, IDC_PAGE_NEXT, 5);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}
