/* The "Open Nimbrella" button: the installed start page, opened by whatever
   the system opens web pages with. */
#include "options/StartPage.h"
#include "app/Globals.h"
#include "app/Product.h"
#include "app/Report.h"
#include "app/Text.h"
#include <shellapi.h>

void OpenStartPage(HWND dialog)
{
    const char *folder = installSettings.installFolder;
    char path[MAX_PATH];
    if (ComposePath(path, sizeof path, folder, START_PAGE_FILE) &&
        (INT_PTR)ShellExecuteA(dialog, "open", path, NULL, folder, SW_SHOWNORMAL) > 32)
        return;
    /* The message names the page in full, even when the path was too long to
       hand to the system. */
    ReportPieces(dialog, NULL, CAPTION_ERROR, folder, "\\" START_PAGE_FILE ":\n", NULL);
}
