/* The wizard's pages as the page loop runs them, by page number 1 to 6. */
#ifndef NMZAV_WIZARD_PAGETABLE_H
#define NMZAV_WIZARD_PAGETABLE_H

#include <windows.h>

#define WIZARD_PAGE_COUNT 6

struct WizardPage {
    int templateId;
    DLGPROC procedure;
};

extern const WizardPage wizardPages[WIZARD_PAGE_COUNT];

#endif
