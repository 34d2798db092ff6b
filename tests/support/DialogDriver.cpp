/* See DialogDriver.h. */
#include "DialogDriver.h"
#include <gtest/gtest.h>
#include <stdio.h>

static DialogDriver *activeDriver;

DialogDriver::DialogDriver(UINT limitMilliseconds)
{
    activeDriver = this;
    watch.onDialog = [this](HWND dialog) {
        opened.push_back(dialog);
        waiting.push_back(dialog);
        SetTimer(NULL, 0, 1, Fire);
    };
    limitTimer = SetTimer(NULL, 0, limitMilliseconds, Expire);
}

DialogDriver::~DialogDriver()
{
    KillTimer(NULL, limitTimer);
    activeDriver = NULL;
}

void CALLBACK DialogDriver::Fire(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(NULL, id);
    if (!activeDriver || activeDriver->waiting.empty())
        return;
    HWND dialog = activeDriver->waiting.front();
    activeDriver->waiting.erase(activeDriver->waiting.begin());
    if (IsWindow(dialog) && activeDriver->onOpen)
        activeDriver->onOpen(dialog);
}

void CALLBACK DialogDriver::Expire(HWND, UINT, UINT_PTR, DWORD)
{
    if (!activeDriver)
        return;
    for (HWND dialog : activeDriver->opened) {
        if (IsWindow(dialog)) {
            ADD_FAILURE() << "a dialog was still open when the time was up";
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        }
    }
}

void Click(HWND dialog, int controlId)
{
    SendMessageA(GetDlgItem(dialog, controlId), BM_CLICK, 0, 0);
}

void PressKey(HWND dialog, WPARAM key)
{
    /* The dialog manager acts on keys as its message loop sees them. */
    HWND focus = GetFocus();
    MSG message = {focus ? focus : dialog, WM_KEYDOWN, key, 1, 0, {0, 0}};
    if (!IsDialogMessageA(dialog, &message)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

std::string ItemText(HWND dialog, int controlId)
{
    return WindowText(GetDlgItem(dialog, controlId));
}

RECT WindowRect(HWND window)
{
    RECT rect = {0, 0, 0, 0};
    GetWindowRect(window, &rect);
    return rect;
}

bool CaptureWindow(HWND window, const std::string &path)
{
    RedrawWindow(window, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN |
                                         RDW_UPDATENOW);
    /* Let every pending paint run; then read the window's own surface, which
       holds what it drew whether or not the display has caught up. */
    DWORD until = GetTickCount() + 300;
    while ((LONG)(until - GetTickCount()) > 0) {
        MSG message;
        while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(10);
    }
    RECT rect = WindowRect(window);
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    HDC screen = GetWindowDC(window);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info;
    ZeroMemory(&info, sizeof info);
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void *bits = NULL;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    GdiFlush();
    DWORD stride = ((DWORD)width * 3 + 3) & ~3u;
    BITMAPFILEHEADER file;
    ZeroMemory(&file, sizeof file);
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + stride * height;
    bool written = false;
    FILE *out = fopen(path.c_str(), "wb");
    if (out) {
        written = fwrite(&file, sizeof file, 1, out) == 1 &&
                  fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out) == 1 &&
                  fwrite(bits, stride * height, 1, out) == 1;
        fclose(out);
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, screen);
    return written;
}
