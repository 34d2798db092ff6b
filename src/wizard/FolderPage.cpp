/* Page 3, Destination folder: the install folder, typed or browsed for. */
#include "wizard/Pages.h"
#include "wizard/PageFramework.h"
#include "wizard/FolderBrowser.h"
#include "app/Globals.h"
#include "resource.h"

static void ShowInstallFolder(HWND page)
{
    /* The field takes no more than installFolder holds, so the folder that is
       used is always the one the user sees. */
    SendDlgItemMessageA(page, IDC_FOLDER_PATH, EM_LIMITTEXT, MAX_PATH - 1, 0);
    SetDlgItemTextA(page, IDC_FOLDER_PATH, installSettings.installFolder);
}

/* Back and Next keep the field's text; Cancel drops it. */
static void LeaveWithFolder(HWND page, INT_PTR result, int nextPage)
{
    GetDlgItemTextA(page, IDC_FOLDER_PATH, installSettings.installFolder, MAX_PATH);
    LeavePage(page, result, nextPage);
}

INT_PTR CALLBACK FolderPageProc(HWND page, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        PlacePage(page);
        ShowInstallFolder(page);
        SetTitleFont(page, IDC_FOLDER_TITLE);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDCANCEL:
            LeavePage(page, IDCANCEL, 0);
            return TRUE;
        case IDC_PAGE_BACK:
            LeaveWithFolder(page, IDC_PAGE_BACK, 2);
            return TRUE;
        case IDC_PAGE_NEXT:
            LeaveWithFolder(page, IDC_PAGE_NEXT, 4);
            return TRUE;
        case IDC_FOLDER_BROWSE:
            BrowseForInstallFolder(page);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}
