/* The acceptance driver's primitives: see Driver.h. */
#include "Driver.h"
#include <gtest/gtest.h>
#include <objbase.h>
#include <stdio.h>
#include <stdlib.h>
#include <vector>

static std::string runName;
static int stepNumber;
static int pictureNumber;
static std::vector<std::string> madeByTheRun;

static std::string Environment(const char *name)
{
    char value[MAX_PATH] = "";
    GetEnvironmentVariableA(name, value, sizeof value);
    return value;
}

void BeginRun(const std::string &name)
{
    runName = name;
    stepNumber = 0;
    pictureNumber = 0;
}

void RemoveAtEnd(const std::string &path)
{
    madeByTheRun.push_back(path);
}

/* A file may be read-only, as a copy from a CD is; a folder is left empty. */
static void RemoveWhatTheRunMade(const char *name)
{
    for (auto made = madeByTheRun.rbegin(); made != madeByTheRun.rend(); ++made) {
        const char *path = made->c_str();
        SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
        if (GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES && !DeleteFileA(path) &&
            !RemoveDirectoryA(path))
            ADD_FAILURE() << name << ": cannot remove " << *made << ", error " << GetLastError();
    }
    madeByTheRun.clear();
}

void Drive(const char *name, void (*run)())
{
    BeginRun(name);
    CoInitialize(NULL);
    try {
        run();
    } catch (const StepFailure &failure) {
        ADD_FAILURE() << name << ": " << failure.what();
    }
    RemoveWhatTheRunMade(name);
    CoUninitialize();
}

void Step(const std::string &what)
{
    printf("[%s] %2d. %s\n", runName.c_str(), ++stepNumber, what.c_str());
    fflush(stdout);
}

/* Writes the whole screen as a 24-bit BMP file. */
static void SaveScreen(const std::string &path)
{
    HDC screen = GetDC(NULL);
    int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void *bits = NULL;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    GdiFlush();
    DWORD rowBytes = (width * 3 + 3) & ~3u;
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + rowBytes * height;
    FILE *out = fopen(path.c_str(), "wb");
    if (out) {
        fwrite(&file, sizeof file, 1, out);
        fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out);
        fwrite(bits, rowBytes, height, out);
        fclose(out);
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
}

static void PictureTo(const std::string &name)
{
    std::string folder = Environment("NMZAV_PICTURES");
    if (folder.empty())
        return;
    CreateDirectoryA(folder.c_str(), NULL);
    char number[16];
    sprintf(number, "%02d", ++pictureNumber);
    SaveScreen(folder + "\\" + runName + "-" + number + "-" + name + ".bmp");
}

void Picture(const std::string &name)
{
    if (Environment("NMZAV_WALKTHROUGH") == "1") {
        Sleep(300); /* let the page paint */
        PictureTo(name);
    }
}

void Fail(const std::string &why)
{
    printf("[%s] FAILED at step %d: %s\n", runName.c_str(), stepNumber, why.c_str());
    fflush(stdout);
    PictureTo("failure");
    throw StepFailure(why);
}

void Expect(bool condition, const std::string &what)
{
    if (!condition)
        Fail("expected " + what);
}

void ExpectEqual(const std::string &expected, const std::string &seen, const std::string &what)
{
    if (expected != seen)
        Fail(what + ": expected \"" + expected + "\", saw \"" + seen + "\"");
}

std::string ProgramUnderTest()
{
    std::string path = Environment("NMZAV_EXE");
    if (path.empty())
        Fail("NMZAV_EXE names no program");
    return path;
}

HANDLE Start(const std::string &commandLine, const std::string &folder)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    if (!CreateProcessA(NULL, line.data(), NULL, NULL, FALSE, 0, NULL,
                        folder.empty() ? NULL : folder.c_str(), &startup, &process))
        Fail("could not start " + commandLine);
    CloseHandle(process.hThread);
    return process.hProcess;
}

bool WaitForExit(HANDLE process, DWORD milliseconds)
{
    return WaitForSingleObject(process, milliseconds) == WAIT_OBJECT_0;
}

static std::string TextOf(HWND window)
{
    char text[4096] = "";
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, (LPARAM)text, SMTO_ABORTIFHUNG, 2000,
                        NULL);
    return text;
}

struct Search {
    const char *caption;
    std::vector<HWND> found;
};

static BOOL CALLBACK CollectWindow(HWND window, LPARAM lParam)
{
    Search *search = (Search *)lParam;
    char caption[256] = "";
    if (IsWindowVisible(window) && GetWindowTextA(window, caption, sizeof caption) &&
        strcmp(caption, search->caption) == 0)
        search->found.push_back(window);
    return TRUE;
}

static std::vector<HWND> Windows(const char *caption)
{
    Search search = {caption, {}};
    EnumWindows(CollectWindow, (LPARAM)&search);
    return search.found;
}

int CountWindows(const char *caption)
{
    return (int)Windows(caption).size();
}

/* Returns once the window's thread has finished what it was doing (a page
   fills its controls after it has become visible) and is waiting for input,
   as a person's click would find it. */
static HWND Settled(HWND window)
{
    DWORD_PTR ignored;
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
    return window;
}

static bool IsBoxWindow(HWND window)
{
    return GetDlgItem(window, 0xFFFF) && GetDlgItem(window, 1088);
}

HWND WaitForWindow(const char *caption, DWORD milliseconds)
{
    for (DWORD waited = 0;; waited += 100) {
        for (HWND window : Windows(caption))
            if (!IsBoxWindow(window))
                return Settled(window);
        if (waited >= milliseconds)
            Fail(std::string("a window \"") + caption + "\"");
        Sleep(100);
    }
}

HWND WaitForPage(int titleId, const char *title, DWORD milliseconds)
{
    for (DWORD waited = 0;; waited += 100) {
        for (HWND window : Windows(WIZARD_CAPTION)) {
            HWND titleControl = GetDlgItem(window, titleId);
            if (titleControl && TextOf(titleControl) == title)
                return Settled(window);
        }
        if (waited >= milliseconds)
            Fail(std::string("the wizard page \"") + title + "\"");
        Sleep(100);
    }
}

static bool FindBox(const char *caption, Box *box)
{
    for (HWND window : Windows(caption)) {
        if (IsBoxWindow(window)) {
            box->window = Settled(window);
            box->caption = caption;
            box->text = TextOf(GetDlgItem(window, 0xFFFF));
            return true;
        }
    }
    return false;
}

Box WaitForBox(const char *caption, DWORD milliseconds)
{
    Box box;
    for (DWORD waited = 0; !FindBox(caption, &box); waited += 100) {
        if (waited >= milliseconds)
            Fail(std::string("a message box \"") + caption + "\"");
        Sleep(100);
    }
    return box;
}

bool BoxAppears(const char *caption, DWORD milliseconds)
{
    Box box;
    for (DWORD waited = 0; waited <= milliseconds; waited += 100) {
        if (FindBox(caption, &box))
            return true;
        Sleep(100);
    }
    return false;
}

void Answer(const Box &box, int button)
{
    PostMessageA(box.window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 (LPARAM)GetDlgItem(box.window, button));
    if (!WaitGone(box.window))
        Fail("the box \"" + box.caption + "\" to close");
}

bool WaitGone(HWND window, DWORD milliseconds)
{
    for (DWORD waited = 0; IsWindow(window); waited += 100) {
        if (waited >= milliseconds)
            return false;
        Sleep(100);
    }
    return true;
}

std::string ControlText(HWND dialog, int id)
{
    HWND control = GetDlgItem(dialog, id);
    if (!control)
        Fail("a control " + std::to_string(id));
    return TextOf(control);
}

void SetControlText(HWND dialog, int id, const std::string &text)
{
    SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, (LPARAM)text.c_str());
}

bool IsChecked(HWND dialog, int id)
{
    return SendMessageA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool IsEnabled(HWND dialog, int id)
{
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

void Click(HWND dialog, int id)
{
    HWND button = GetDlgItem(dialog, id);
    if (!button)
        Fail("a button " + std::to_string(id));
    if (!IsWindowEnabled(button))
        Fail("button " + std::to_string(id) + " enabled");
    PostMessageA(button, BM_CLICK, 0, 0);
}

void Toggle(HWND dialog, int id)
{
    bool before = IsChecked(dialog, id);
    DWORD_PTR ignored;
    SendMessageTimeoutA(GetDlgItem(dialog, id), BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
    for (int i = 0; i < 50 && IsChecked(dialog, id) == before; i++)
        Sleep(100);
    if (IsChecked(dialog, id) == before)
        Fail("check box " + std::to_string(id) + " to toggle");
}
