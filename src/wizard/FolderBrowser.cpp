/* Folder browsing for the Destination folder page. The chosen folder is used
   as it is: nothing of the product's name is appended to it. */
#include "wizard/FolderBrowser.h"
#include "app/Globals.h"
#include "app/Text.h"
#include "resource.h"
#include <shlobj.h>

int CALLBACK BrowseCallback(HWND browser, UINT message, LPARAM lParam, LPARAM)
{
    char path[MAX_PATH];
    switch (message) {
    case BFFM_INITIALIZED:
        SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, (LPARAM)installSettings.installFolder);
        break;
    case BFFM_SELCHANGED:
        /* Items without a file-system path leave the status line as it was. */
        if (SHGetPathFromIDListA((LPCITEMIDLIST)lParam, path))
            SendMessageA(browser, BFFM_SETSTATUSTEXTA, 0, (LPARAM)path);
        break;
    }
    return 0;
}

void BrowseForInstallFolder(HWND page)
{
    if (!shellAllocator)
        return;
    GetDlgItemTextA(page, IDC_FOLDER_PATH, installSettings.installFolder, MAX_PATH);
    BROWSEINFOA browse;
    ZeroMemory(&browse, sizeof browse);
    browse.hwndOwner = page;
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_DONTGOBELOWDOMAIN | BIF_STATUSTEXT;
    browse.lpfn = BrowseCallback;
    LPITEMIDLIST chosen = SHBrowseForFolderA(&browse);
    if (!chosen)
        return;
    /* A confirmed folder whose path cannot be had changes nothing: the field
       and installFolder keep what the user typed. */
    char path[MAX_PATH];
    if (SHGetPathFromIDListA(chosen, path)) {
        SetDlgItemTextA(page, IDC_FOLDER_PATH, path);
        CopyText(installSettings.installFolder, MAX_PATH, path);
    }
    shellAllocator->Free(chosen);
}
