/* Page 4, Icons: which shortcuts and whether the toolbar button are made. */
#include "wizard/Pages.h"
#include "wizard/PageFramework.h"
#include "wizard/IconChoices.h"
#include "resource.h"

INT_PTR CALLBACK IconsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        OpenPage(page, IDC_ICONS_TITLE);
        InitIconChoices(page);
        return TRUE;
    case WM_COMMAND:
        /* Back and Next keep the choices; Cancel drops them. */
        if (LOWORD(wParam) == IDC_PAGE_BACK || LOWORD(wParam) == IDC_PAGE_NEXT)
            ReadIconChoices(page);
        return NavigatePage(page, LOWORD(wParam), 4);
    }
    return FALSE;
}
