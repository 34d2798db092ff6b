/* The wizard's page loop and, after "Start Nimbrella ZAV", the installed
   copy. */
#include "app/PageLoop.h"
#include "app/Globals.h"
#include "app/PageGuard.h"
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
    /* Quoted: the default folder has a blank, and an unquoted path would make
       the system try "C:\Program.exe" first. */
    char commandLine[MAX_PATH + 2] = "\"";
    if (!AppendText(commandLine, sizeof commandLine, installSettings.installFolder) ||
        !AppendText(commandLine, sizeof commandLine, "\\" INSTALLED_FILE_NAME "\""))
        return 0;
    STARTUPINFOA startup;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOW;
    PROCESS_INFORMATION process;
    if (!CreateProcessA(NULL, commandLine, NULL, NULL, FALSE,
                        CREATE_SUSPENDED | NORMAL_PRIORITY_CLASS, NULL,
                        installSettings.installFolder, &startup, &process))
        return 0;
    CloseHandle(process.hProcess);
    ResumeThread(process.hThread);
    CloseHandle(process.hThread);
    return 1;
}
