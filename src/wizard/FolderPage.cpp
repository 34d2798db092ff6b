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
    SendMessageA(GetDlgItem(page, IDC_FOLDER_PATH), EM_LIMITTEXT, MAX_PATH - 1, 0);
    SetDlgItemTextA(page, IDC_FOLDER_PATH, installSettings.installFolder);
}

INT_PTR CALLBACK FolderPageProc(HWND page, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        OpenPage(page, IDC_FOLDER_TITLE);
        ShowInstallFolder(page);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_FOLDER_BROWSE:
            BrowseForInstallFolder(page);
            return TRUE;
        case IDC_PAGE_BACK:
        case IDC_PAGE_NEXT:
            /* Back and Next keep the field's text; Cancel drops it. */
            GetDlgItemTextA(page, IDC_FOLDER_PATH, installSettings.installFolder, MAX_PATH);
            break;
        }
        return NavigatePage(page, LOWORD(wParam), 3);
    }
    return FALSE;
}
