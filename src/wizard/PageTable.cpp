/* Page number to dialog template and procedure. */
#include "wizard/PageTable.h"
#include "resource.h"

const WizardPage wizardPages[WIZARD_PAGE_COUNT] = {
    {IDD_WELCOME, NULL}, {IDD_LICENCE, NULL}, {IDD_FOLDER, NULL},
    {IDD_ICONS, NULL},   {IDD_READY, NULL},   {IDD_FINISH, NULL},
};
