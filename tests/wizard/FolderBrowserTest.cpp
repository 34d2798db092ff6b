/* The Destination folder page's folder browser: where it opens, what it
   shows, and what a chosen or cancelled folder leaves in the field. */
#include "DialogDriver.h"
#include "WizardSetup.h"
#include "Sandbox.h"
#include "app/Globals.h"
#include "app/PageLoop.h"
#include "wizard/PageTable.h"
#include "resource.h"
#include <gtest/gtest.h>
#include <shlobj.h>

struct TextSearch {
    const std::string *text;
    bool found;
};

static BOOL CALLBACK MatchChildText(HWND child, LPARAM data)
{
    TextSearch *search = (TextSearch *)data;
    if (_stricmp(WindowText(child).c_str(), search->text->c_str()) == 0)
        search->found = true;
    return !search->found;
}

/* 1 when a child of the browser shows text, in any letter case (its status
   line). The
   browser may still be filling its tree: wait for it, up to two seconds. */
static bool ShowsText(HWND browser, const std::string &text)
{
    TextSearch search = {&text, false};
    DWORD until = GetTickCount() + 2000;
    for (;;) {
        EnumChildWindows(browser, MatchChildText, (LPARAM)&search);
        if (search.found || (LONG)(until - GetTickCount()) <= 0)
            return search.found;
        MSG message;
        while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(20);
    }
}

/* Opens the folder browser from the page with typed in the field; chooser acts
   on the browser once it is open. Returns the field's text afterwards. */
static std::string Browse(const std::string &typed, const std::function<void(HWND)> &chooser,
                          bool withAllocator = true)
{
    PrepareWizard("C:\\Program Files\\NimbrellaZAV");
    IMalloc *allocator = shellAllocator;
    if (!withAllocator)
        shellAllocator = NULL;
    wizardState.currentPage = 3;
    DialogDriver driver;
    std::string field;
    driver.onOpen = [&](HWND dialog) {
        if (driver.opened.size() == 1) {
            SetDlgItemTextA(dialog, IDC_FOLDER_PATH, typed.c_str());
            Click(dialog, IDC_FOLDER_BROWSE);
            field = ItemText(dialog, IDC_FOLDER_PATH);
            EXPECT_EQ(withAllocator ? 2u : 1u, driver.opened.size());
            Click(dialog, IDCANCEL);
        } else {
            EXPECT_EQ(driver.opened[0], GetWindow(dialog, GW_OWNER));
            chooser(dialog);
        }
    };
    RunPageLoop(wizardPages);
    shellAllocator = allocator;
    return field;
}

/* Folders of the system that are there from the start, so the shell has
   known them all along. */
static std::string SystemFolder()
{
    char path[MAX_PATH] = "";
    GetSystemDirectoryA(path, sizeof path);
    return path;
}

static std::string WindowsFolder()
{
    char path[MAX_PATH] = "";
    GetWindowsDirectoryA(path, sizeof path);
    return path;
}

static bool SamePath(const std::string &a, const std::string &b)
{
    return _stricmp(a.c_str(), b.c_str()) == 0;
}

TEST(FolderBrowser, OpensOnTheTypedFolderAndShowsItsPath)
{
    std::string typed = SystemFolder();
    bool statusShown = false;
    std::string field = Browse(typed, [&](HWND browser) {
        statusShown = ShowsText(browser, typed);
        PostMessageA(browser, WM_COMMAND, IDOK, 0);
    });
    EXPECT_TRUE(statusShown) << "the status line shows the selected folder";
    EXPECT_TRUE(SamePath(typed, field)) << field;
    EXPECT_TRUE(SamePath(typed, installSettings.installFolder)) << installSettings.installFolder;
}

TEST(FolderBrowser, ChosenFolderReplacesTheFieldWhole)
{
    std::string chosen = WindowsFolder();
    std::string field = Browse("D:\\Typed\\Elsewhere", [&](HWND browser) {
        SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, (LPARAM)chosen.c_str());
        EXPECT_TRUE(ShowsText(browser, chosen)) << "the status line follows the selection";
        PostMessageA(browser, WM_COMMAND, IDOK, 0);
    });
    EXPECT_TRUE(SamePath(chosen, field)) << field;
    EXPECT_STREQ(field.c_str(), installSettings.installFolder);
}

TEST(FolderBrowser, CancelledBrowserKeepsTheTypedFolder)
{
    std::string field = Browse("D:\\Typed\\Elsewhere", [](HWND browser) {
        PostMessageA(browser, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ("D:\\Typed\\Elsewhere", field);
    EXPECT_STREQ("D:\\Typed\\Elsewhere", installSettings.installFolder);
}

TEST(FolderBrowser, DoesNothingWithoutAShellAllocator)
{
    std::string field = Browse(
        "D:\\Typed",
        [](HWND browser) {
            ADD_FAILURE() << "no browser expected";
            PostMessageA(browser, WM_COMMAND, IDCANCEL, 0);
        },
        false);
    EXPECT_EQ("D:\\Typed", field);
}

