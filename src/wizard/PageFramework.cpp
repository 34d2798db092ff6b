/* The wizard page framework: placement, hand-over, title font, long texts. */
#include "wizard/PageFramework.h"
#include "app/Globals.h"
#include "resource.h"

void PlacePage(HWND page)
{
    const RECT &saved = wizardState.pageRect;
    UINT flags = SWP_SHOWWINDOW;
    /* A negative right edge: no page was left yet (or it was dragged off the
       left of the screen), so the page keeps its own size. */
    if (saved.right < 0)
        flags |= SWP_NOSIZE;
    SetWindowPos(page, HWND_TOP, saved.left, saved.top, saved.right - saved.left,
                 saved.bottom - saved.top, flags);
    SetForegroundWindow(page);
}

void LeavePage(HWND page, INT_PTR result, int nextPage)
{
    wizardState.currentPage = nextPage;
    GetWindowRect(page, &wizardState.pageRect);
    SendMessageA(GetDesktopWindow(), WM_SETREDRAW, FALSE, 0);
    EndDialog(page, result);
}

void OpenPage(HWND page, int titleId)
{
    PlacePage(page);
    SetTitleFont(page, titleId);
}

int NavigatePage(HWND page, WORD command, int number)
{
    int next;
    switch (command) {
    case IDCANCEL:
        next = 0;
        break;
    case IDC_PAGE_BACK:
        next = number - 1;
        break;
    case IDC_PAGE_NEXT:
        next = number + 1;
        break;
    default:
        return 0;
    }
    LeavePage(page, command, next);
    return 1;
}

void LoadDlgItemString(HWND dialog, int controlId, UINT stringId)
{
    char text[1024];
    /* A string that is not there leaves the buffer as it was. */
    text[0] = '\0';
    LoadStringA(moduleInstance, stringId, text, sizeof text);
    SetDlgItemTextA(dialog, controlId, text);
}

void SetTitleFont(HWND page, int controlId)
{
    SendMessageA(GetDlgItem(page, controlId), WM_SETFONT, (WPARAM)wizardState.titleFont, TRUE);
}
