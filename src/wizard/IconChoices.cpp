/* The Icons page's choices: Start Menu, desktop and toolbar. */
#include "wizard/IconChoices.h"
#include "app/BrowserVersion.h"
#include "app/Globals.h"
#include "resource.h"

void InitIconChoices(HWND page)
{
    if (IsVersionBelow(browserVersion, 5, 0, 0, 0)) {
        installSettings.addToToolbar = 0;
        EnableWindow(GetDlgItem(page, IDC_ICONS_TOOLBAR), FALSE);
    }
    CheckDlgButton(page, IDC_ICONS_STARTMENU, installSettings.addToStartMenu);
    CheckDlgButton(page, IDC_ICONS_DESKTOP, installSettings.addToDesktop);
    CheckDlgButton(page, IDC_ICONS_TOOLBAR, installSettings.addToToolbar);
}

void ReadIconChoices(HWND page)
{
    installSettings.addToStartMenu = IsDlgButtonChecked(page, IDC_ICONS_STARTMENU);
    installSettings.addToDesktop = IsDlgButtonChecked(page, IDC_ICONS_DESKTOP);
    installSettings.addToToolbar = IsDlgButtonChecked(page, IDC_ICONS_TOOLBAR);
}
