/* The Options dialog as a person uses it: the boxes show the registry, Apply
   and Ok write it, a refused change shows up as the box going back, the
   HTTP 1.1 warning, the start page, and one dialog at a time. */
#include "DialogDriver.h"
#include "Sandbox.h"
#include "app/Globals.h"
#include "app/Startup.h"
#include "install/BrowserEntries.h"
#include "options/AddressCorrection.h"
#include "options/Http11Check.h"
#include "options/OptionsDialog.h"
#include "resource.h"
#include <gtest/gtest.h>

/* A registry and an install folder of its own for each test, with the three
   script files the context-menu entries name. */
class OptionsDialog : public ::testing::Test {
protected:
    OptionsDialog() : folder("options")
    {
        moduleInstance = GetModuleHandleA(NULL);
        for (const ContextMenuItem &item : ContextMenuItems)
            WriteFileBytes(folder / item.scriptName, "<html></html>");
        lstrcpynA(installSettings.installFolder, folder.path.c_str(), MAX_PATH);
        SeedText(HKEY_LOCAL_MACHINE, DEFAULT_PREFIX_KEY, "", HttpPrefix);
        SeedText(HKEY_LOCAL_MACHINE, PREFIXES_KEY, "www", HttpPrefix);
    }

    /* Runs the dialog; act is called once it is open. */
    INT_PTR Run(const std::function<void(HWND)> &act)
    {
        driver.onOpen = act;
        return DialogBoxParamA(moduleInstance, MAKEINTRESOURCEA(IDD_OPTIONS), NULL,
                               OptionsDialogProc, 0);
    }

    void AddMenuKeys(int count)
    {
        for (int i = 0; i < count; i++)
            SeedText(HKEY_CURRENT_USER, ContextMenuItems[i].keyPath, "", "stale");
    }

    RegistrySandbox registry;
    ScratchFolder folder;
    DialogDriver driver;
};

static bool Checked(HWND dialog, int box)
{
    return IsDlgButtonChecked(dialog, box) == BST_CHECKED;
}

static bool ApplyEnabled(HWND dialog)
{
    return IsWindowEnabled(GetDlgItem(dialog, IDC_OPTIONS_APPLY)) != FALSE;
}

TEST_F(OptionsDialog, OpensWithTheBoxesAsTheRegistryHoldsThem)
{
    const struct {
        const char *defaultPrefix;
        int menuKeys;
        bool correction, menu;
    } cases[] = {
        {"http://", 0, false, false},
        {ServicePrefix, 3, true, true},
        {"HTTP://", 2, false, false},
        {LegacyNmPrefix, 3, true, true},
        {"ftp://foreign/", 3, false, true},
    };
    for (const auto &c : cases) {
        RegistrySandbox scratch;
        SeedText(HKEY_LOCAL_MACHINE, DEFAULT_PREFIX_KEY, "", c.defaultPrefix);
        AddMenuKeys(c.menuKeys);
        Run([&](HWND dialog) {
            EXPECT_EQ(c.correction, Checked(dialog, IDC_OPTIONS_CORRECTION)) << c.defaultPrefix;
            EXPECT_EQ(c.menu, Checked(dialog, IDC_OPTIONS_MENU)) << c.menuKeys << " keys";
            EXPECT_FALSE(ApplyEnabled(dialog));
            EXPECT_EQ(GetDlgItem(dialog, IDC_OPTIONS_CORRECTION), GetFocus());
            EXPECT_EQ(dialog, GetForegroundWindow());
            EXPECT_EQ(std::string(WindowText(dialog)), OPTIONS_CAPTION);
            EXPECT_EQ(0u, ItemText(dialog, IDC_STATIC_OptionsURL).find("This flag greatly"));
            Click(dialog, IDCANCEL);
        });
    }
    EXPECT_TRUE(driver.watch.boxes.empty());
}

TEST_F(OptionsDialog, ClickEnablesApplyAndApplyingWritesAndDisablesIt)
{
    Run([&](HWND dialog) {
        Click(dialog, IDC_OPTIONS_MENU);
        EXPECT_TRUE(ApplyEnabled(dialog));
        Click(dialog, IDC_OPTIONS_APPLY);
        EXPECT_TRUE(ContextMenuItemsPresent());
        EXPECT_TRUE(Checked(dialog, IDC_OPTIONS_MENU));
        EXPECT_FALSE(ApplyEnabled(dialog));
        EXPECT_EQ(GetDlgItem(dialog, IDC_OPTIONS_CORRECTION), GetFocus());
        Click(dialog, IDC_OPTIONS_CORRECTION);
        EXPECT_TRUE(ApplyEnabled(dialog));
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(HttpPrefix, RegText(HKEY_LOCAL_MACHINE, DEFAULT_PREFIX_KEY, ""))
        << "Cancel applies nothing";
    EXPECT_TRUE(driver.watch.boxes.empty());
}

TEST_F(OptionsDialog, OkAppliesBothBoxesAndCloses)
{
    INT_PTR result = Run([&](HWND dialog) {
        Click(dialog, IDC_OPTIONS_MENU);
        Click(dialog, IDC_OPTIONS_CORRECTION);
        Click(dialog, IDC_OPTIONS_OK);
    });
    EXPECT_EQ(IDC_OPTIONS_OK, result);
    EXPECT_TRUE(driver.watch.boxes.empty());
    EXPECT_TRUE(ContextMenuItemsPresent());
    EXPECT_EQ(ServicePrefix, RegText(HKEY_LOCAL_MACHINE, DEFAULT_PREFIX_KEY, ""));
    EXPECT_EQ(ServicePrefix, RegText(HKEY_LOCAL_MACHINE, PREFIXES_KEY, "www"));
}

/* A box clicked twice has not changed, yet Apply writes the entries again
   (or removes them again) and leaves the prefixes alone. */
TEST_F(OptionsDialog, ApplyRewritesTheMenuEntriesEvenWithoutAChange)
{
    AddMenuKeys(3);
    Run([&](HWND dialog) {
        Click(dialog, IDC_OPTIONS_MENU);
        Click(dialog, IDC_OPTIONS_MENU);
        Click(dialog, IDC_OPTIONS_APPLY);
        Click(dialog, IDCANCEL);
    });
    for (const ContextMenuItem &item : ContextMenuItems)
        EXPECT_EQ(ShortPath(folder / item.scriptName), RegText(HKEY_CURRENT_USER, item.keyPath, ""));
    EXPECT_EQ(HttpPrefix, RegText(HKEY_LOCAL_MACHINE, DEFAULT_PREFIX_KEY, ""));

    RegistrySandbox scratch;
    SeedText(HKEY_LOCAL_MACHINE, DEFAULT_PREFIX_KEY, "", HttpPrefix);
    AddMenuKeys(2);
    Run([&](HWND dialog) {
        EXPECT_FALSE(Checked(dialog, IDC_OPTIONS_MENU)) << "two of three entries";
        Click(dialog, IDC_OPTIONS_MENU);
        Click(dialog, IDC_OPTIONS_MENU);
        Click(dialog, IDC_OPTIONS_APPLY);
        Click(dialog, IDCANCEL);
    });
    for (const ContextMenuItem &item : ContextMenuItems)
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, item.keyPath)) << item.keyPath;
    EXPECT_TRUE(driver.watch.boxes.empty());
}

TEST_F(OptionsDialog, RefusedCorrectionKeepsTheDialogOpenWithTheBoxCleared)
{
    SeedText(HKEY_LOCAL_MACHINE, DEFAULT_PREFIX_KEY, "", "ftp://foreign/");
    bool stayed = false;
    Run([&](HWND dialog) {
        Click(dialog, IDC_OPTIONS_CORRECTION);
        Click(dialog, IDC_OPTIONS_OK);
        stayed = IsWindow(dialog) && IsWindowVisible(dialog);
        EXPECT_FALSE(Checked(dialog, IDC_OPTIONS_CORRECTION));
        EXPECT_FALSE(ApplyEnabled(dialog));
        EXPECT_EQ(GetDlgItem(dialog, IDC_OPTIONS_CORRECTION), GetFocus());
        Click(dialog, IDCANCEL);
    });
    EXPECT_TRUE(stayed);
    ASSERT_EQ(1u, driver.watch.boxes.size());
    EXPECT_EQ("Nimbrella ZAV Info", driver.watch.boxes[0].caption);
    EXPECT_EQ(0u, driver.watch.boxes[0].text.find(
                      "Nimbrella ZAV cannot enable Web address correction:"));
    EXPECT_EQ(driver.opened[0], driver.watch.boxes[0].owner);
    EXPECT_EQ("ftp://foreign/", RegText(HKEY_LOCAL_MACHINE, DEFAULT_PREFIX_KEY, ""));
}

TEST_F(OptionsDialog, WarnsWhenAnHttp11SettingIsOff)
{
    const DWORD absent = 0xFFFFFFFF;
    const struct {
        DWORD proxy, direct;
        DWORD directType;
        bool warned;
    } cases[] = {
        {1, 1, REG_DWORD, false}, {0, 1, REG_DWORD, true},  {1, 0, REG_DWORD, true},
        {0, 0, REG_DWORD, true},  {absent, 0, REG_DWORD, false}, {0, absent, REG_DWORD, false},
        {0, 0, REG_BINARY, false},
    };
    for (const auto &c : cases) {
        RegistrySandbox scratch;
        SeedText(HKEY_LOCAL_MACHINE, DEFAULT_PREFIX_KEY, "", HttpPrefix);
        HKEY key;
        RegCreateKeyExA(HKEY_CURRENT_USER, INTERNET_SETTINGS_KEY, 0, NULL, 0, KEY_ALL_ACCESS,
                        NULL, &key, NULL);
        if (c.proxy != absent)
            RegSetValueExA(key, "ProxyHttp1.1", 0, REG_DWORD, (const BYTE *)&c.proxy, 4);
        if (c.direct != absent)
            RegSetValueExA(key, "EnableHttp1_1", 0, c.directType, (const BYTE *)&c.direct, 4);
        RegCloseKey(key);
        size_t before = driver.watch.boxes.size();
        Run([](HWND dialog) { Click(dialog, IDCANCEL); });
        ASSERT_EQ(before + (c.warned ? 1 : 0), driver.watch.boxes.size())
            << "proxy " << c.proxy << " direct " << c.direct << " type " << c.directType;
        if (!c.warned)
            continue;
        const SeenBox &box = driver.watch.boxes.back();
        EXPECT_EQ("Nimbrella ZAV Message", box.caption);
        EXPECT_EQ(0u, box.text.find("Warning!\nTo use Nimbrella, you should change current "
                                    "settings of Internet Explorer.\n\n"));
        EXPECT_EQ(box.text.size() - strlen("launch Internet Explorer again."),
                  box.text.rfind("launch Internet Explorer again."))
            << "no system text follows";
        EXPECT_EQ(driver.opened.back(), box.owner);
        EXPECT_TRUE(box.informationIcon);
    }
}

TEST_F(OptionsDialog, MissingStartPageIsReportedWithItsFullPath)
{
    Run([](HWND dialog) {
        Click(dialog, IDC_OPTIONS_OPEN);
        EXPECT_TRUE(IsWindowVisible(dialog));
        Click(dialog, IDCANCEL);
    });
    ASSERT_EQ(1u, driver.watch.boxes.size());
    const SeenBox &box = driver.watch.boxes[0];
    EXPECT_EQ("Nimbrella ZAV Error", box.caption);
    std::string lead = folder / "startnm.htm" + ":\n";
    EXPECT_EQ(lead, box.text.substr(0, lead.size()));
    EXPECT_LT(lead.size(), box.text.size()) << "the system's reason follows";
    EXPECT_EQ(driver.opened[0], box.owner);
}

TEST_F(OptionsDialog, SecondStartBringsTheOpenDialogToTheFront)
{
    Run([&](HWND dialog) {
        HWND other = CreateWindowA("STATIC", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                   200, 100, NULL, NULL, NULL, NULL);
        SetForegroundWindow(other);
        ASSERT_EQ(other, GetForegroundWindow());
        RunOptionsRole();
        EXPECT_EQ(dialog, GetForegroundWindow());
        DestroyWindow(other);
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(1u, driver.opened.size()) << "no second dialog";
}
