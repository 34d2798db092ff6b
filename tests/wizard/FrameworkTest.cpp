/* The page framework: where pages appear, how they hand over their
   rectangle, and how every way of leaving ends up in the page loop. */
#include "DialogDriver.h"
#include "WizardSetup.h"
#include "Sandbox.h"
#include "app/Globals.h"
#include "app/PageLoop.h"
#include "wizard/PageTable.h"
#include "resource.h"
#include <gtest/gtest.h>

/* The outer size a page gets from its 301 x 204 unit template. */
static SIZE TemplateSize(HWND page)
{
    RECT client = {0, 0, 301, 204};
    MapDialogRect(page, &client);
    AdjustWindowRectEx(&client, GetWindowLongA(page, GWL_STYLE), FALSE,
                       GetWindowLongA(page, GWL_EXSTYLE));
    return {client.right - client.left, client.bottom - client.top};
}

static bool SameRect(const RECT &a, const RECT &b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(PageFramework, FirstPageAt128InItsSizeAndEachNextOnTheRectangleLeft)
{
    RegistrySandbox registry;
    PrepareWizard("C:\\Program Files\\NimbrellaZAV");
    DialogDriver driver;
    std::vector<RECT> seen;
    driver.onOpen = [&](HWND page) {
        seen.push_back(WindowRect(page));
        switch (wizardState.currentPage) {
        case 1: {
            SIZE size = TemplateSize(page);
            EXPECT_EQ(128, seen[0].left);
            EXPECT_EQ(128, seen[0].top);
            EXPECT_EQ(size.cx, seen[0].right - seen[0].left);
            EXPECT_EQ(size.cy, seen[0].bottom - seen[0].top);
            EXPECT_TRUE(IsWindowVisible(page));
            EXPECT_EQ(page, GetForegroundWindow());
            Click(page, IDC_PAGE_NEXT);
            break;
        }
        case 2:
            /* The user drags the Licence page elsewhere before going on. */
            SetWindowPos(page, NULL, 300, 210, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
            seen.push_back(WindowRect(page));
            Click(page, IDC_PAGE_NEXT);
            break;
        default:
            Click(page, IDCANCEL);
        }
    };
    EXPECT_EQ(IDCANCEL, RunPageLoop(wizardPages));
    ASSERT_EQ(4u, seen.size());
    EXPECT_TRUE(SameRect(seen[0], seen[1])) << "Licence on the Welcome page's rectangle";
    EXPECT_EQ(300, seen[2].left) << "the Licence page was moved";
    EXPECT_TRUE(SameRect(seen[2], seen[3])) << "Folder page on the moved Licence page's";
    EXPECT_TRUE(SameRect(seen[3], wizardState.pageRect)) << "Cancel keeps the page's rectangle";
    EXPECT_EQ(0, wizardState.currentPage);
}

TEST(PageFramework, NegativeSavedRightEdgeKeepsThePageSize)
{
    PrepareWizard("C:\\Program Files\\NimbrellaZAV");
    wizardState.pageRect = {-700, 60, -20, 300};
    DialogDriver driver;
    RECT seen = {};
    SIZE size = {};
    driver.onOpen = [&](HWND page) {
        seen = WindowRect(page);
        size = TemplateSize(page);
        Click(page, IDCANCEL);
    };
    DialogBoxParamA(moduleInstance, MAKEINTRESOURCEA(IDD_LICENCE), NULL,
                    wizardPages[1].procedure, 0);
    SendMessageA(GetDesktopWindow(), WM_SETREDRAW, TRUE, 0);
    EXPECT_EQ(-700, seen.left);
    EXPECT_EQ(60, seen.top);
    EXPECT_EQ(size.cx, seen.right - seen.left);
    EXPECT_EQ(size.cy, seen.bottom - seen.top);
}

/* Runs one page by its number, doing what act does once it has opened;
   returns the page's result. */
static INT_PTR RunPage(int number, const std::function<void(HWND)> &act)
{
    wizardState.currentPage = number;
    DialogDriver driver;
    driver.onOpen = act;
    INT_PTR result = DialogBoxParamA(moduleInstance,
                                     MAKEINTRESOURCEA(wizardPages[number - 1].templateId), NULL,
                                     wizardPages[number - 1].procedure, 0);
    SendMessageA(GetDesktopWindow(), WM_SETREDRAW, TRUE, 0);
    return result;
}

TEST(PageFramework, EveryButtonLeadsToItsPage)
{
    RegistrySandbox registry;
    PrepareWizard("C:\\Program Files\\NimbrellaZAV");
    const struct {
        int page;
        int button;
        INT_PTR result;
        int next;
    } rows[] = {
        {1, IDCANCEL, IDCANCEL, 0},   {1, IDC_PAGE_NEXT, 1001, 2}, {2, IDCANCEL, IDCANCEL, 0},
        {2, IDC_PAGE_BACK, 1000, 1},  {2, IDC_PAGE_NEXT, 1001, 3}, {3, IDCANCEL, IDCANCEL, 0},
        {3, IDC_PAGE_BACK, 1000, 2},  {3, IDC_PAGE_NEXT, 1001, 4}, {4, IDCANCEL, IDCANCEL, 0},
        {4, IDC_PAGE_BACK, 1000, 3},  {4, IDC_PAGE_NEXT, 1001, 5}, {5, IDCANCEL, IDCANCEL, 0},
        {5, IDC_PAGE_BACK, 1000, 4},  {6, IDCANCEL, IDCANCEL, 0},  {6, IDC_FINISH_START, 1040, 0},
    };
    for (const auto &row : rows) {
        if (!wizardPages[row.page - 1].procedure)
            continue;
        wizardState.pageRect = {128, 128, -1, -1};
        INT_PTR result = RunPage(row.page, [&](HWND page) { Click(page, row.button); });
        EXPECT_EQ(row.result, result) << "page " << row.page << " button " << row.button;
        EXPECT_EQ(row.next, wizardState.currentPage) << "page " << row.page << " button "
                                                     << row.button;
        /* Every page but the last hands its rectangle on. */
        EXPECT_EQ(row.page == 6, wizardState.pageRect.right < 0) << "page " << row.page;
    }
}

TEST(PageFramework, EscCancelsDisagreesAndFinishes)
{
    PrepareWizard("C:\\Program Files\\NimbrellaZAV");
    for (int number = 1; number <= WIZARD_PAGE_COUNT; number++) {
        if (!wizardPages[number - 1].procedure)
            continue;
        INT_PTR result = RunPage(number, [](HWND page) { PressKey(page, VK_ESCAPE); });
        EXPECT_EQ(IDCANCEL, result) << "page " << number;
        EXPECT_EQ(0, wizardState.currentPage) << "page " << number;
    }
}

TEST(PageFramework, EnterOnTheFinishPageStartsTheProgram)
{
    PrepareWizard("C:\\Program Files\\NimbrellaZAV");
    EXPECT_EQ(IDC_FINISH_START, RunPage(6, [](HWND page) { PressKey(page, VK_RETURN); }));
    EXPECT_EQ(0, wizardState.currentPage);
}
