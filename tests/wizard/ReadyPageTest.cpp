/* The Ready page runs the installation: a failed one is reported, taken back
   and leaves the page open for another try; a successful one goes on to the
   Finish page. */
#include "DialogDriver.h"
#include "WizardSetup.h"
#include "Sandbox.h"
#include "app/Globals.h"
#include "options/AddressCorrection.h"
#include "wizard/PageTable.h"
#include "resource.h"
#include <gtest/gtest.h>

#define OWN_UNINSTALL_KEY "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\NimbrellaZAV"

TEST(ReadyPage, FailedInstallIsTakenBackAndCanBeTriedAgain)
{
    RegistrySandbox registry;
    ScratchFolder folder("ready");
    PrepareWizard(folder.path.c_str());
    GetModuleFileNameA(NULL, programPath, MAX_PATH);
    installSettings.addToStartMenu = 0;
    installSettings.addToDesktop = 0;
    installSettings.addToToolbar = 0;
    SeedText(HKEY_LOCAL_MACHINE, DEFAULT_PREFIX_KEY, "", HttpPrefix);
    SeedText(HKEY_LOCAL_MACHINE, PREFIXES_KEY, "www", HttpPrefix);
    /* A folder in the place of the third carried file stops the installation
       after the uninstall entry and the first two files were written. */
    CreateDirectoryA((folder / "readme.htm").c_str(), NULL);
    wizardState.currentPage = 5;
    DialogDriver driver(60000);
    std::vector<bool> stayed;
    driver.onOpen = [&](HWND page) {
        for (int attempt = 0; attempt < 2; attempt++) {
            Click(page, IDC_PAGE_NEXT);
            stayed.push_back(IsWindowVisible(page) && wizardState.currentPage == 5);
            EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, OWN_UNINSTALL_KEY))
                << "the uninstall entry was taken back";
            EXPECT_FALSE(FileExists(folder / "ICON.ICO")) << "the carried files were taken back";
        }
        RemoveDirectoryA((folder / "readme.htm").c_str());
        Click(page, IDC_PAGE_NEXT);
    };
    INT_PTR result = DialogBoxParamA(moduleInstance, MAKEINTRESOURCEA(IDD_READY), NULL,
                                     wizardPages[4].procedure, 0);
    SendMessageA(GetDesktopWindow(), WM_SETREDRAW, TRUE, 0);
    EXPECT_EQ((std::vector<bool>{true, true}), stayed);
    EXPECT_EQ(1001, result);
    EXPECT_EQ(6, wizardState.currentPage);
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, OWN_UNINSTALL_KEY));
    EXPECT_TRUE(FileExists(folder / "readme.htm"));
    ASSERT_EQ(2u, driver.watch.boxes.size());
    for (const SeenBox &box : driver.watch.boxes) {
        EXPECT_EQ("Nimbrella ZAV Installation Error", box.caption);
        EXPECT_EQ(0u, box.text.find("Cannot copy Nimbrella ZAV files:\n"));
        EXPECT_EQ(driver.opened[0], box.owner);
    }
}
