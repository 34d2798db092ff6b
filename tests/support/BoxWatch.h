/* Sees the message boxes (and other dialogs) that the code under test shows
   on this thread, through a WH_CBT hook, so the real MessageBoxA runs: each box
   is recorded and answered with the next queued button (IDOK by default). */
#ifndef NMZAV_TESTS_BOXWATCH_H
#define NMZAV_TESTS_BOXWATCH_H

#include <windows.h>
#include <deque>
#include <functional>
#include <string>
#include <vector>

struct SeenBox {
    HWND owner;
    std::string caption;
    std::string text;
    bool informationIcon;  /* the system's information icon is shown */
    std::vector<int> buttons; /* identifiers of the push buttons, in z-order */
    int defaultButton;     /* identifier of the BS_DEFPUSHBUTTON, 0 if none */
    DWORD lastErrorAtShow; /* restored after the hook's own calls */
};

class BoxWatch {
public:
    BoxWatch();
    ~BoxWatch();
    /* Queues the button that answers the next unanswered box. */
    void Answer(int button) { answers.push_back(button); }
    std::vector<SeenBox> boxes;
    /* Called for every other dialog window as it is activated. */
    std::function<void(HWND)> onDialog;

private:
    struct Pending {
        HWND window;
        size_t index;
        int answer;
    };
    static LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK AnswerProc(HWND, UINT, UINT_PTR id, DWORD);
    void Seen(HWND window);
    HHOOK hook;
    std::deque<int> answers;
    std::deque<Pending> pending;
    std::vector<HWND> handled;
};

/* 1 when window is a message box: a dialog with the box's text static and icon. */
bool IsMessageBox(HWND window);
/* A window's text, read whole. */
std::string WindowText(HWND window);

#endif
