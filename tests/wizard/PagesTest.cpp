/* What the pages do beyond navigating: the earlier-version warning, the
   install folder typed, and the icon choices. */
#include "DialogDriver.h"
#include "WizardSetup.h"
#include "Sandbox.h"
#include "app/Globals.h"
#include "app/PageLoop.h"
#include "wizard/PageTable.h"
#include "wizard/PreviousVersions.h"
#include "resource.h"
#include <gtest/gtest.h>

#define UNINSTALL_KEY "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\"

TEST(PreviousVersions, EachRegistrationIsFoundByItsDisplayName)
{
    const struct {
        const char *key;
        const char *name;
    } rows[] = {
        {UNINSTALL_KEY "ORX", "ORX 2.0 Zavex Add-on"},
        {UNINSTALL_KEY "ORXZAV", "ORX Zavex Add-on 2.003"},
        {UNINSTALL_KEY "NimbrellaZAV", "Nimbrella Zavex Add-on 2.004"},
        {UNINSTALL_KEY "NimbrellaZAV", "Nimbrella Zavex Add-on 2.005"},
        {UNINSTALL_KEY "NimbrellaZAV", "Nimbrella Zavex Add-on 2.006"},
        {UNINSTALL_KEY "NimbrellaZAV", "Nimbrella Zavex Add-on 2.007"},
    };
    for (const auto &row : rows) {
        RegistrySandbox registry;
        EXPECT_FALSE(IsPreviousVersionInstalled());
        SeedText(HKEY_LOCAL_MACHINE, row.key, "DisplayName", row.name);
        EXPECT_TRUE(IsPreviousVersionInstalled()) << row.name;
    }
}

TEST(PreviousVersions, OnlyAWholeTextValueInAnyLetterCaseCounts)
{
    const char *key = UNINSTALL_KEY "ORXZAV";
    const struct {
        const char *stored;
        DWORD type;
        bool found;
    } cases[] = {
        {"ORX Zavex Add-on 2.003", REG_SZ, true},
        {"orx zavex add-on 2.003", REG_SZ, true},
        {"ORX ZAVEX ADD-ON 2.003", REG_SZ, true},
        {"ORX Zavex Add-on 2.003", REG_EXPAND_SZ, false},
        {"ORX Zavex Add-on 2.00", REG_SZ, false},
        {"ORX Zavex Add-on 2.003 ", REG_SZ, false},
        {"", REG_SZ, false},
    };
    for (const auto &c : cases) {
        RegistrySandbox registry;
        SeedText(HKEY_LOCAL_MACHINE, key, "DisplayName", c.stored, c.type);
        EXPECT_EQ(c.found, HasUninstallEntry(key, "ORX Zavex Add-on 2.003") != 0)
            << "\"" << c.stored << "\" type " << c.type;
    }
    RegistrySandbox registry;
    SeedText(HKEY_LOCAL_MACHINE, key, "DisplayName", std::string(300, 'x').c_str());
    EXPECT_FALSE(HasUninstallEntry(key, std::string(300, 'x').c_str())) << "too long to read";
    SeedText(HKEY_LOCAL_MACHINE, key, "Other", "ORX Zavex Add-on 2.003");
    EXPECT_FALSE(HasUninstallEntry(key, "ORX Zavex Add-on 2.003")) << "another value";
}

/* With an earlier version registered, Next asks first: No (the default) stays
   on the Welcome page, Yes goes on, and after Back it is asked again. */
TEST(WelcomePage, AsksBeforeInstallingOverAnEarlierVersion)
{
    RegistrySandbox registry;
    SeedText(HKEY_LOCAL_MACHINE, UNINSTALL_KEY "NimbrellaZAV", "DisplayName",
             "Nimbrella Zavex Add-on 2.005");
    PrepareWizard("C:\\Program Files\\NimbrellaZAV");
    DialogDriver driver;
    int welcomeVisits = 0;
    driver.onOpen = [&](HWND page) {
        switch (wizardState.currentPage) {
        case 1:
            if (++welcomeVisits == 1) {
                driver.watch.Answer(IDNO);
                Click(page, IDC_PAGE_NEXT);
                EXPECT_TRUE(IsWindowVisible(page)) << "No stays on the page";
                EXPECT_EQ(1, wizardState.currentPage);
            }
            driver.watch.Answer(IDYES);
            Click(page, IDC_PAGE_NEXT);
            break;
        case 2:
            Click(page, welcomeVisits == 1 ? IDC_PAGE_BACK : IDCANCEL);
            break;
        }
    };
    EXPECT_EQ(IDCANCEL, RunPageLoop(wizardPages));
    EXPECT_EQ(2, welcomeVisits);
    ASSERT_EQ(3u, driver.watch.boxes.size());
    const SeenBox &box = driver.watch.boxes[0];
    EXPECT_EQ("Nimbrella ZAV Installation", box.caption);
    EXPECT_EQ("Some version of Nimbrella ZAV (or ORX ZAV) is already installed on your "
              "computer.\nWe recommend you to uninstall it before installing this version.\n\n"
              "Do you want to continue?",
              box.text);
    EXPECT_TRUE(box.informationIcon);
    EXPECT_EQ((std::vector<int>{IDYES, IDNO}), box.buttons);
    EXPECT_EQ(IDNO, box.defaultButton);
    EXPECT_EQ(driver.opened[0], box.owner);
}

TEST(WelcomePage, GoesStraightOnWithoutEarlierVersions)
{
    RegistrySandbox registry;
    PrepareWizard("C:\\Program Files\\NimbrellaZAV");
    DialogDriver driver;
    driver.onOpen = [](HWND page) {
        Click(page, wizardState.currentPage == 1 ? IDC_PAGE_NEXT : IDCANCEL);
    };
    RunPageLoop(wizardPages);
    EXPECT_EQ(2u, driver.opened.size());
    EXPECT_TRUE(driver.watch.boxes.empty());
}

static void Type(HWND page, int controlId, const std::string &text)
{
    SetDlgItemTextA(page, controlId, text.c_str());
}

/* Typed and left by Back or Next, the folder is kept and shown again; typed
   and left by Cancel, it is lost. */
TEST(FolderPage, KeepsTheTypedFolderOnBackAndNextOnly)
{
    const struct {
        int button;
        const char *kept;
    } cases[] = {
        {IDC_PAGE_BACK, "D:\\Tools\\Typed"},
        {IDC_PAGE_NEXT, "D:\\Tools\\Typed"},
        {IDCANCEL, "C:\\Program Files\\NimbrellaZAV"},
    };
    for (const auto &c : cases) {
        PrepareWizard("C:\\Program Files\\NimbrellaZAV");
        wizardState.currentPage = 3;
        DialogDriver driver;
        std::string shownAgain;
        driver.onOpen = [&](HWND page) {
            if (wizardState.currentPage == 3 && driver.opened.size() == 1) {
                EXPECT_EQ("C:\\Program Files\\NimbrellaZAV", ItemText(page, IDC_FOLDER_PATH));
                Type(page, IDC_FOLDER_PATH, "D:\\Tools\\Typed");
                Click(page, c.button);
            } else if (wizardState.currentPage == 3) {
                shownAgain = ItemText(page, IDC_FOLDER_PATH);
                Click(page, IDCANCEL);
            } else {
                /* Come back to the folder page from the page before or after. */
                Click(page, wizardState.currentPage == 2 ? IDC_PAGE_NEXT : IDC_PAGE_BACK);
            }
        };
        RunPageLoop(wizardPages);
        EXPECT_STREQ(c.kept, installSettings.installFolder) << "button " << c.button;
        if (c.button != IDCANCEL) {
            EXPECT_EQ(c.kept, shownAgain) << "button " << c.button;
        }
    }
}

TEST(FolderPage, TakesNoMoreThanTheFolderCanHold)
{
    PrepareWizard("C:\\Program Files\\NimbrellaZAV");
    wizardState.currentPage = 3;
    DialogDriver driver;
    std::string shown;
    driver.onOpen = [&](HWND page) {
        if (wizardState.currentPage != 3) {
            Click(page, IDCANCEL);
            return;
        }
        /* Pasted as a person would: the text replaces the field's selection. */
        std::string pasted = "C:\\" + std::string(400, 'a');
        SendDlgItemMessageA(page, IDC_FOLDER_PATH, EM_SETSEL, 0, -1);
        SendDlgItemMessageA(page, IDC_FOLDER_PATH, EM_REPLACESEL, TRUE, (LPARAM)pasted.c_str());
        shown = ItemText(page, IDC_FOLDER_PATH);
        Click(page, IDC_PAGE_BACK);
    };
    RunPageLoop(wizardPages);
    EXPECT_EQ(MAX_PATH - 1u, shown.size());
    EXPECT_EQ(shown, installSettings.installFolder) << "the folder used is the one shown";
}

struct IconStates {
    bool startMenu, desktop, toolbar, toolbarEnabled;
};

/* Opens the Icons page and reads its boxes; then leaves with button after
   clicking the boxes listed in toggle. */
static IconStates VisitIconsPage(int button, std::vector<int> toggle = {})
{
    wizardState.currentPage = 4;
    DialogDriver driver;
    IconStates seen = {};
    driver.onOpen = [&](HWND page) {
        seen.startMenu = IsDlgButtonChecked(page, IDC_ICONS_STARTMENU) == BST_CHECKED;
        seen.desktop = IsDlgButtonChecked(page, IDC_ICONS_DESKTOP) == BST_CHECKED;
        seen.toolbar = IsDlgButtonChecked(page, IDC_ICONS_TOOLBAR) == BST_CHECKED;
        seen.toolbarEnabled = IsWindowEnabled(GetDlgItem(page, IDC_ICONS_TOOLBAR)) != FALSE;
        for (int box : toggle)
            Click(page, box);
        Click(page, button);
    };
    DialogBoxParamA(moduleInstance, MAKEINTRESOURCEA(IDD_ICONS), NULL,
                    wizardPages[3].procedure, 0);
    SendMessageA(GetDesktopWindow(), WM_SETREDRAW, TRUE, 0);
    return seen;
}

TEST(IconsPage, OffersTheToolbarButtonFromInternetExplorer5On)
{
    for (const char *version : {"5.0.0.0", "5.00.2614.3500", "6.0.2900.2180"}) {
        PrepareWizard("C:\\Program Files\\NimbrellaZAV");
        lstrcpyA(browserVersion, version);
        IconStates seen = VisitIconsPage(IDC_PAGE_NEXT);
        EXPECT_TRUE(seen.startMenu && seen.desktop && seen.toolbar && seen.toolbarEnabled)
            << version;
        EXPECT_EQ(1, installSettings.addToToolbar) << version;
    }
    for (const char *version : {"4.72.3110.8", "5", "5.0"}) {
        PrepareWizard("C:\\Program Files\\NimbrellaZAV");
        lstrcpyA(browserVersion, version);
        for (int visit = 0; visit < 2; visit++) {
            IconStates seen = VisitIconsPage(IDC_PAGE_BACK);
            EXPECT_TRUE(seen.startMenu && seen.desktop) << version;
            EXPECT_FALSE(seen.toolbar) << version << " visit " << visit;
            EXPECT_FALSE(seen.toolbarEnabled) << version << " visit " << visit;
            EXPECT_EQ(0, installSettings.addToToolbar) << version;
        }
    }
}

TEST(IconsPage, ReadsTheBoxesBackOnBackAndNextOnly)
{
    PrepareWizard("C:\\Program Files\\NimbrellaZAV");
    VisitIconsPage(IDCANCEL, {IDC_ICONS_STARTMENU, IDC_ICONS_TOOLBAR});
    EXPECT_EQ(1, installSettings.addToStartMenu) << "Cancel reads nothing back";
    EXPECT_EQ(1, installSettings.addToToolbar);

    VisitIconsPage(IDC_PAGE_BACK, {IDC_ICONS_STARTMENU, IDC_ICONS_TOOLBAR});
    EXPECT_EQ(0, installSettings.addToStartMenu);
    EXPECT_EQ(1, installSettings.addToDesktop);
    EXPECT_EQ(0, installSettings.addToToolbar);
    IconStates seen = VisitIconsPage(IDC_PAGE_NEXT, {IDC_ICONS_DESKTOP});
    EXPECT_TRUE(!seen.startMenu && seen.desktop && !seen.toolbar) << "shown as left";
    EXPECT_EQ(0, installSettings.addToStartMenu);
    EXPECT_EQ(0, installSettings.addToDesktop);
    EXPECT_EQ(0, installSettings.addToToolbar);
}
