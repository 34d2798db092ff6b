/* Page number to dialog template and procedure. */
#include "wizard/PageTable.h"
#include "wizard/Pages.h"
#include "resource.h"

const WizardPage wizardPages[WIZARD_PAGE_COUNT] = {
    {IDD_WELCOME, WelcomePageProc}, {IDD_LICENCE, LicencePageProc},
    {IDD_FOLDER, FolderPageProc},   {IDD_ICONS, IconsPageProc},
    {IDD_READY, ReadyPageProc},     {IDD_FINISH, FinishPageProc},
};
