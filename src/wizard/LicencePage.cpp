/* Page 2, Licence: agreeing goes on, disagreeing ends the wizard. */
#include "wizard/Pages.h"
#include "wizard/PageFramework.h"
#include "resource.h"

INT_PTR CALLBACK LicencePageProc(HWND page, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        OpenPage(page, IDC_LICENCE_TITLE);
        LoadDlgItemString(page, IDC_LICENCE_TEXT, IDS_LICENCE);
        return TRUE;
    case WM_COMMAND:
        return NavigatePage(page, LOWORD(wParam), 2);
    }
    return FALSE;
}
