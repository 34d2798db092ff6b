/* The Ready page runs the installation: a failed one is reported, taken back
   and leaves the page open for another try; a successful one goes on to the
   Finish page. */
#include "DialogDriver.h"
#include "WizardSetup.h"
#include "Sandbox.h"
#include "app/Globals.h"
#include "app/PageLoop.h"
#include "install/FilePlacement.h"
#include "install/PriorState.h"
#include "options/AddressCorrection.h"
#include "wizard/PageTable.h"
#include "resource.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

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

/* The Ready page of the wizard, but the first press of Install begins the
   installation as InstallAll does and then faults, as a bug would. */
static int faults;

static INT_PTR CALLBACK CutShortReadyPageProc(HWND page, UINT message, WPARAM wParam,
                                              LPARAM lParam)
{
    if (message == WM_COMMAND && LOWORD(wParam) == IDC_PAGE_NEXT && faults++ == 0) {
        if (CreateInstallFolder() && KeepPriorFiles() && CopySelfToInstallFolder() &&
            ExtractResourceFile(FileManifest[0].resourceName, FileManifest[0].resourceType,
                                FileManifest[0].fileName))
            RaiseException(EXCEPTION_ACCESS_VIOLATION, 0, 0, NULL);
        ADD_FAILURE() << "the first steps of the installation failed";
    }
    return wizardPages[4].procedure(page, message, wParam, lParam);
}

/* The page guard ends the page and the loop shows it again: the run it cut
   short is taken back as it opens, and Install then works. */
TEST(ReadyPage, ARunCutShortByAFaultIsTakenBackWhenThePageOpensAgain)
{
    RegistrySandbox registry;
    ScratchFolder parent("ready fault");
    const std::string folder = parent / "earlier";
    PrepareWizard(folder.c_str());
    installSettings.addToStartMenu = installSettings.addToDesktop = 0;
    installSettings.addToToolbar = 0;
    SeedText(HKEY_LOCAL_MACHINE, DEFAULT_PREFIX_KEY, "", HttpPrefix);
    SeedText(HKEY_LOCAL_MACHINE, PREFIXES_KEY, "www", HttpPrefix);
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), NULL));
    ASSERT_TRUE(WriteFileBytes(folder + "\\NMZAV.EXE", "an earlier NMZAV.EXE"));
    ASSERT_TRUE(WriteFileBytes(folder + "\\ICON.ICO", "an earlier icon"));
    WizardPage pages[WIZARD_PAGE_COUNT];
    for (int i = 0; i < WIZARD_PAGE_COUNT; i++)
        pages[i] = wizardPages[i];
    pages[4].procedure = CutShortReadyPageProc;
    faults = 0;
    wizardState.currentPage = 5;

    DialogDriver driver(60000);
    std::vector<std::string> seen;
    bool finished = false;
    driver.onOpen = [&](HWND page) {
        if (wizardState.currentPage == 6) {
            finished = true;
            Click(page, IDCANCEL);
            return;
        }
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
        int files = 0;
        do
            files += !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
        while (FindNextFileA(search, &found));
        FindClose(search);
        const bool earlier = ReadFileBytes(folder + "\\NMZAV.EXE") == "an earlier NMZAV.EXE" &&
                             ReadFileBytes(folder + "\\ICON.ICO") == "an earlier icon";
        seen.push_back(std::string(earlier ? "earlier" : "other") + " files, " +
                       std::to_string(files) + " in all");
        Click(page, IDC_PAGE_NEXT);
    };
    RunPageLoop(pages);
    ASSERT_EQ(2u, seen.size()) << "the page was shown again after the fault";
    EXPECT_EQ("earlier files, 2 in all", seen[1])
        << "the run cut short was taken back as the page opened, no kept copy left";
    EXPECT_TRUE(driver.watch.boxes.empty());
    EXPECT_TRUE(finished) << "Install then worked";
    EXPECT_TRUE(ReadFileBytes(programPath) == ReadFileBytes(folder + "\\NMZAV.EXE"));
}
