/* The Options dialog. Its check boxes always show the registry's state: they
   are read again after every apply, so a refused or failed change shows up
   as the box going back. */
#include "options/OptionsDialog.h"
#include "options/AddressCorrection.h"
#include "options/StartPage.h"
#include "options/Http11Check.h"
#include "install/BrowserEntries.h"
#include "wizard/PageFramework.h"
#include "resource.h"

void LoadOptionsState(HWND dialog)
{
    /* Both answers are 1 or 0, BST_CHECKED or BST_UNCHECKED. */
    CheckDlgButton(dialog, IDC_OPTIONS_CORRECTION, QueryAddressCorrection(false));
    CheckDlgButton(dialog, IDC_OPTIONS_MENU, ContextMenuItemsPresent());
}

bool ApplyOptions(HWND dialog)
{
    bool result = true;
    /* The entries are rewritten on every apply, changed or not, so that they
       always point at this copy's files. */
    UINT menu = IsDlgButtonChecked(dialog, IDC_OPTIONS_MENU);
    if (menu == BST_CHECKED && !AddContextMenuItems(dialog))
        result = false;
    if (menu == BST_UNCHECKED && !RemoveContextMenuItems(dialog))
        result = false;
    bool correction = IsDlgButtonChecked(dialog, IDC_OPTIONS_CORRECTION) == BST_CHECKED;
    if (!SwitchAddressCorrection(dialog, correction))
        result = false;
    LoadOptionsState(dialog);
    return result;
}

/* After an apply that leaves the dialog open: back to the first box, with
   nothing left to apply. */
static void AfterApply(HWND dialog)
{
    SetFocus(GetDlgItem(dialog, IDC_OPTIONS_CORRECTION));
    EnableWindow(GetDlgItem(dialog, IDC_OPTIONS_APPLY), FALSE);
}

static void InitOptionsDialog(HWND dialog)
{
    LoadDlgItemString(dialog, IDC_STATIC_OptionsURL, IDS_OPTIONS_URL);
    LoadOptionsState(dialog);
    SetForegroundWindow(dialog);
    CheckHttp11Settings(dialog);
}

INT_PTR CALLBACK OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        InitOptionsDialog(dialog);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        case IDC_OPTIONS_OK:
            if (ApplyOptions(dialog))
                EndDialog(dialog, IDC_OPTIONS_OK);
            else
                AfterApply(dialog);
            return TRUE;
        case IDC_OPTIONS_APPLY:
            ApplyOptions(dialog);
            AfterApply(dialog);
            return TRUE;
        case IDC_OPTIONS_CORRECTION:
        case IDC_OPTIONS_MENU:
            EnableWindow(GetDlgItem(dialog, IDC_OPTIONS_APPLY), TRUE);
            return TRUE;
        case IDC_OPTIONS_OPEN:
            OpenStartPage(dialog);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}
