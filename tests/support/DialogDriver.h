/* Drives the program's dialogs as a person would: each dialog that opens on
   this thread is handed to onOpen once its own message loop runs (through a
   thread timer), so the script may click buttons, type and read as it likes.
   Message boxes are answered by the BoxWatch inside. A dialog still open after
   the time limit is cancelled and the test fails. */
#ifndef NMZAV_TESTS_DIALOGDRIVER_H
#define NMZAV_TESTS_DIALOGDRIVER_H

#include "BoxWatch.h"
#include <functional>
#include <string>
#include <vector>

class DialogDriver {
public:
    explicit DialogDriver(UINT limitMilliseconds = 20000);
    ~DialogDriver();
    std::function<void(HWND)> onOpen;
    BoxWatch watch;
    std::vector<HWND> opened; /* every dialog that opened, in order */

private:
    static void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD);
    static void CALLBACK Expire(HWND, UINT, UINT_PTR id, DWORD);
    std::vector<HWND> waiting;
    UINT_PTR limitTimer;
};

/* Clicks a button or check box the way the mouse does. */
void Click(HWND dialog, int controlId);
/* Presses a key on the dialog's focused control (Esc, Enter). */
void PressKey(HWND dialog, WPARAM key);
/* A control's text. */
std::string ItemText(HWND dialog, int controlId);
/* Outer rectangle of a window. */
RECT WindowRect(HWND window);
/* Writes what the screen shows of the window to a 24-bit .bmp file. */
bool CaptureWindow(HWND window, const std::string &path);
#endif
