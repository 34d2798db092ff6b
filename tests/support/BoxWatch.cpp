/* Message box watcher for tests: see BoxWatch.h. */
#include "BoxWatch.h"
#include <algorithm>

static BoxWatch *activeWatch;

std::string WindowText(HWND window)
{
    int length = GetWindowTextLengthA(window);
    std::string text(length + 1, '\0');
    GetWindowTextA(window, &text[0], length + 1);
    text.resize(strlen(text.c_str()));
    return text;
}

static bool IsDialogWindow(HWND window)
{
    char className[32] = "";
    GetClassNameA(window, className, sizeof className);
    return strcmp(className, "#32770") == 0;
}

bool IsMessageBox(HWND window)
{
    return IsDialogWindow(window) && GetDlgItem(window, 0xFFFF) && GetDlgItem(window, 1088) &&
           (GetWindowLongA(GetDlgItem(window, 1088), GWL_STYLE) & SS_ICON);
}

static BOOL CALLBACK CollectButton(HWND child, LPARAM lParam)
{
    SeenBox *box = (SeenBox *)lParam;
    char className[32] = "";
    GetClassNameA(child, className, sizeof className);
    if (_stricmp(className, "Button") == 0) {
        int id = GetDlgCtrlID(child);
        box->buttons.push_back(id);
        if ((GetWindowLongA(child, GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON)
            box->defaultButton = id;
    }
    return TRUE;
}

BoxWatch::BoxWatch()
{
    activeWatch = this;
    hook = SetWindowsHookExA(WH_CBT, CbtProc, NULL, GetCurrentThreadId());
}

BoxWatch::~BoxWatch()
{
    UnhookWindowsHookEx(hook);
    activeWatch = NULL;
}

void BoxWatch::Seen(HWND window)
{
    if (std::find(handled.begin(), handled.end(), window) != handled.end())
        return;
    handled.push_back(window);
    if (!IsMessageBox(window)) {
        if (IsDialogWindow(window) && onDialog)
            onDialog(window);
        return;
    }
    SeenBox box;
    box.lastErrorAtShow = GetLastError();
    box.owner = GetWindow(window, GW_OWNER);
    box.caption = WindowText(window);
    box.text = WindowText(GetDlgItem(window, 0xFFFF));
    HICON shown = (HICON)SendDlgItemMessageA(window, 1088, STM_GETICON, 0, 0);
    box.informationIcon = shown && shown == LoadIconA(NULL, (LPCSTR)IDI_INFORMATION);
    box.defaultButton = 0;
    EnumChildWindows(window, CollectButton, (LPARAM)&box);
    boxes.push_back(box);
    int answer = IDOK;
    if (!answers.empty()) {
        answer = answers.front();
        answers.pop_front();
    }
    /* The box chooses its default button only after it was activated: look
       at the buttons again, and answer, once its own message loop runs. */
    pending.push_back({window, boxes.size() - 1, answer});
    SetTimer(NULL, 0, 1, AnswerProc);
    SetLastError(box.lastErrorAtShow);
}

void CALLBACK BoxWatch::AnswerProc(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(NULL, id);
    if (!activeWatch || activeWatch->pending.empty())
        return;
    Pending next = activeWatch->pending.front();
    activeWatch->pending.pop_front();
    SeenBox &box = activeWatch->boxes[next.index];
    box.buttons.clear();
    box.defaultButton = 0;
    EnumChildWindows(next.window, CollectButton, (LPARAM)&box);
    PostMessageA(next.window, WM_COMMAND, MAKEWPARAM(next.answer, BN_CLICKED),
                 (LPARAM)GetDlgItem(next.window, next.answer));
}

LRESULT CALLBACK BoxWatch::CbtProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE && activeWatch)
        activeWatch->Seen((HWND)wParam);
    return CallNextHookEx(NULL, code, wParam, lParam);
}
