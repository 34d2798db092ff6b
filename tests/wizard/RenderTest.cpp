/* Renders each of the seven dialogs, as the program fills it, to a .bmp in
   render/ for a person to review. Run through `ctest -R wizard_render`,
   which turns them into PNG files in build/dialogs/. */
#include "DialogDriver.h"
#include "WizardSetup.h"
#include "Sandbox.h"
#include "wizard/Pages.h"
#include "wizard/PageFramework.h"
#include "options/OptionsDialog.h"
#include "app/Globals.h"
#include "resource.h"
#include <gtest/gtest.h>

static void Render(int templateId, DLGPROC procedure, const char *name)
{
    DialogDriver driver;
    bool captured = false;
    driver.onOpen = [&](HWND dialog) {
        captured = CaptureWindow(dialog, std::string("render\\") + name + ".bmp");
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    };
    DialogBoxParamA(moduleInstance, MAKEINTRESOURCEA(templateId), NULL, procedure, 0);
    SendMessageA(GetDesktopWindow(), WM_SETREDRAW, TRUE, 0);
    EXPECT_TRUE(captured) << name;
}

TEST(RenderDialogs, DISABLED_EachDialogToABitmap)
{
    RegistrySandbox registry;
    PrepareWizard("C:\\Program Files\\NimbrellaZAV");
    CreateDirectoryA("render", NULL);
    Render(IDD_WELCOME, WelcomePageProc, "136-welcome");
    Render(IDD_LICENCE, LicencePageProc, "137-licence");
    Render(IDD_FOLDER, FolderPageProc, "138-folder");
    Render(IDD_ICONS, IconsPageProc, "139-icons");
    Render(IDD_READY, ReadyPageProc, "140-ready");
    Render(IDD_FINISH, FinishPageProc, "142-finish");
    Render(IDD_OPTIONS, OptionsDialogProc, "141-options");
}
