/* The wizard's page loop and, after "Start Nimbrella ZAV", the installed
   copy. */
#include "app/PageLoop.h"
#include "app/Globals.h"
#include "app/PageGuard.h"
#include "app/Process.h"
#include "app/Product.h"
#include "app/Text.h"
#include "resource.h"

INT_PTR RunPageLoop(const WizardPage *pages)
{
    INT_PTR lastPageResult = 0;
    while (wizardState.currentPage != 0) {
        int number = wizardState.currentPage;
        if (number >= 1 && number <= WIZARD_PAGE_COUNT) {
            /* After an exception the loop goes on with whatever page the
               failed one had chosen, or shows it again. */
            if (RunGuardedPage(moduleInstance, pages[number - 1].templateId,
                               pages[number - 1].procedure, &lastPageResult) &&
                number == WIZARD_PAGE_COUNT)
                wizardState.currentPage = 0;
        } else {
            wizardState.currentPage = 0;
        }
        /* A page freezes the desktop's redraw as it leaves so that the next
           one appears without a flash; it is released here in every case. */
        SendMessageA(GetDesktopWindow(), WM_SETREDRAW, TRUE, 0);
    }
    return lastPageResult;
}

void EndWizard(INT_PTR lastPageResult)
{
    InvalidateRect(NULL, &wizardState.pageRect, TRUE);
    if (shellAllocator) {
        shellAllocator->Release();
        shellAllocator = NULL;
    }
    if (lastPageResult == IDC_FINISH_START)
        LaunchInstalledCopy();
}

int LaunchInstalledCopy(void)
{
    char path[MAX_PATH];
    PROCESS_INFORMATION process;
    if (!ComposePath(path, sizeof path, installSettings.installFolder, INSTALLED_FILE_NAME) ||
        !StartSuspended(path, NULL, installSettings.installFolder, SW_SHOW, NORMAL_PRIORITY_CLASS, NULL,
                        &process))
        return 0;
    ReleaseToRun(&process);
    return 1;
}
