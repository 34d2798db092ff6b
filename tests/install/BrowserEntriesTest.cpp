/* Context-menu entries and the toolbar button on the real (sandboxed)
   registry, naming real files in a scratch install folder. */
#include "install/BrowserEntries.h"
#include "app/Globals.h"
#include "app/Text.h"
#include "BoxWatch.h"
#include "Sandbox.h"
#include "SystemText.h"
#include <gtest/gtest.h>
#include <string>

#define MENU_EXT "Software\\Microsoft\\Internet Explorer\\MenuExt\\"
static const char *const MenuKeys[] = {MENU_EXT "Nimbrella: Activate",
                                       MENU_EXT "Nimbrella: Deactivate",
                                       MENU_EXT "Nimbrella: Open in New Window"};
static const char ToolbarKey[] =
    "Software\\Microsoft\\Internet Explorer\\Extensions\\{6E0D2A71-93C4-4B8F-A215-5C07E9D3B184}";

static const std::string CannotAddMenuText =
    "Cannot add Nimbrella ZAV items to the Internet Explorer context menu.\n\n"
    "The system error message:\n";
static const std::string CannotRemoveMenuText =
    "Cannot remove Nimbrella ZAV items from the Internet Explorer context menu.\n\n"
    "The system error message:\n";
static const std::string CannotAddToolbarText =
    "Cannot add the Nimbrella ZAV icon onto the Internet Explorer Toolbar.\n"
    "Maybe, you have not enough permissions on this computer.\n\nThe system error message:\n";
static const std::string CannotRemoveToolbarText =
    "Cannot remove the Nimbrella ZAV icon from the Internet Explorer Toolbar.\n"
    "Maybe, you have not enough permissions on this computer.\n\nThe system error message:\n";

/* A text value's stored bytes and type; the system adds the zero that the
   program leaves out of the count, so the bytes are the text and one zero. */
static std::string StoredBytes(HKEY root, const char *path, const char *name, DWORD *type)
{
    HKEY key;
    char data[512];
    DWORD size = sizeof data;
    *type = REG_NONE;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return "<absent>";
    LONG status = RegQueryValueExA(key, name, NULL, type, (BYTE *)data, &size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS ? std::string(data, size) : "<absent>";
}

static std::string WithZero(const std::string &text)
{
    return text + std::string(1, '\0');
}

class BrowserEntriesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved = installSettings;
        CreateDirectoryA((scratch / "Program Files").c_str(), NULL);
        install = scratch / "Program Files" + "\\NimbrellaZAV";
        CreateDirectoryA(install.c_str(), NULL);
        const char *files[] = {"zavact.htm", "zavdeact.htm", "zavolnw.htm",
                               "NMZAV.EXE",  "ICON.ICO",     "ICONS.ICO"};
        for (const char *file : files)
            WriteFileBytes(install + "\\" + file, "x");
        CopyText(installSettings.installFolder, MAX_PATH, install.c_str());
    }
    void TearDown() override { installSettings = saved; }
    void SeedMenuKeys(bool first, bool second, bool third)
    {
        bool seed[] = {first, second, third};
        for (int i = 0; i < 3; i++) {
            if (seed[i])
                SeedText(HKEY_CURRENT_USER, MenuKeys[i], "", "C:\\OLD\\X.HTM");
        }
    }
    RegistrySandbox registry;
    ScratchFolder scratch{"browser"};
    std::string install;
    InstallSettings saved;
};

TEST_F(BrowserEntriesTest, ContextMenuKeysNameShortScriptPathsAndTheirMenus)
{
    SeedMenuKeys(true, false, false);
    BoxWatch watch;
    EXPECT_EQ(1, AddContextMenuItems(NULL));
    EXPECT_TRUE(watch.boxes.empty());
    struct Expected {
        const char *file;
        DWORD contexts;
    } rows[] = {{"zavact.htm", 243}, {"zavdeact.htm", 243}, {"zavolnw.htm", 34}};
    for (int i = 0; i < 3; i++) {
        DWORD type;
        std::string shortPath = ShortPath(install + "\\" + rows[i].file);
        EXPECT_EQ(WithZero(shortPath), StoredBytes(HKEY_CURRENT_USER, MenuKeys[i], "", &type))
            << MenuKeys[i];
        EXPECT_EQ((DWORD)REG_SZ, type);
        EXPECT_EQ(std::string::npos, shortPath.find(' '));
        EXPECT_EQ(rows[i].contexts, RegDword(HKEY_CURRENT_USER, MenuKeys[i], "contexts"));
    }
}

TEST_F(BrowserEntriesTest, PresentOnlyWhenAllThreeKeysExist)
{
    struct Case {
        bool first, second, third;
        int present;
    } cases[] = {{false, false, false, 0},
                 {true, true, false, 0},
                 {false, true, true, 0},
                 {true, true, true, 1}};
    for (const Case &c : cases) {
        SeedMenuKeys(c.first, c.second, c.third);
        EXPECT_EQ(c.present, ContextMenuItemsPresent()) << c.first << c.second << c.third;
        for (const char *key : MenuKeys)
            RegDeleteKeyA(HKEY_CURRENT_USER, key);
    }
}

TEST_F(BrowserEntriesTest, RemovingSkipsMissingKeysSilently)
{
    struct Case {
        bool first, second, third;
    } cases[] = {{false, false, false}, {true, true, false}, {false, true, true}, {true, true, true}};
    for (const Case &c : cases) {
        SeedMenuKeys(c.first, c.second, c.third);
        BoxWatch watch;
        EXPECT_EQ(1, RemoveContextMenuItems(NULL));
        EXPECT_TRUE(watch.boxes.empty());
        for (const char *key : MenuKeys)
            EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, key)) << key;
    }
}

TEST_F(BrowserEntriesTest, KeyThatCannotBeDeletedFailsAfterTheOthersAreGone)
{
    SeedMenuKeys(true, true, true);
    SeedText(HKEY_CURRENT_USER, (std::string(MenuKeys[1]) + "\\Child").c_str(), "", "x");
    BoxWatch watch;
    EXPECT_EQ(0, RemoveContextMenuItems(NULL));
    ASSERT_EQ(1u, watch.boxes.size());
    EXPECT_EQ(CannotRemoveMenuText + SystemText(ERROR_ACCESS_DENIED), watch.boxes[0].text);
    EXPECT_EQ("Nimbrella ZAV Info", watch.boxes[0].caption);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, MenuKeys[0]));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, MenuKeys[1]));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, MenuKeys[2]));
}

TEST_F(BrowserEntriesTest, AddingStopsAtTheFirstKeyThatCannotBeWritten)
{
    MakeKeyReadOnly(HKEY_CURRENT_USER, MenuKeys[1]);
    BoxWatch watch;
    EXPECT_EQ(0, AddContextMenuItems(NULL));
    ASSERT_EQ(1u, watch.boxes.size());
    EXPECT_EQ(CannotAddMenuText + SystemText(ERROR_ACCESS_DENIED), watch.boxes[0].text);
    EXPECT_EQ("Nimbrella ZAV Info", watch.boxes[0].caption);
    EXPECT_EQ(243u, RegDword(HKEY_CURRENT_USER, MenuKeys[0], "contexts"));
    EXPECT_EQ(ShortPath(install + "\\zavact.htm"), RegText(HKEY_CURRENT_USER, MenuKeys[0], ""));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, MenuKeys[2]));
}

TEST_F(BrowserEntriesTest, InstallFolderTooLongForTheScriptPathIsRefused)
{
    /* 248 characters: "\ZAVACT.HTM" still fits in 259, "\ZAVDEACT.HTM" does not. */
    std::string folder = "C:\\" + std::string(245, 'f');
    CopyText(installSettings.installFolder, MAX_PATH, folder.c_str());
    BoxWatch watch;
    EXPECT_EQ(0, AddContextMenuItems(NULL));
    ASSERT_EQ(1u, watch.boxes.size());
    EXPECT_EQ(CannotAddMenuText + SystemText(ERROR_FILENAME_EXCED_RANGE), watch.boxes[0].text);
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, MenuKeys[0]));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, MenuKeys[1]));
}

TEST_F(BrowserEntriesTest, ToolbarButtonHasItsEightValues)
{
    BoxWatch watch;
    EXPECT_EQ(1, AddToolbarButton(NULL));
    EXPECT_TRUE(watch.boxes.empty());
    struct Expected {
        const char *name;
        std::string text;
    } values[] = {
        {"Exec", ShortPath(install + "\\NMZAV.EXE")},
        {"HotIcon", ShortPath(install + "\\ICON.ICO")},
        {"Icon", ShortPath(install + "\\ICONS.ICO")},
        {"CLSID", "{1FBA04EE-3024-11D2-8F1F-0000F87ABD16}"},
        {"Default Visible", "Yes"},
        {"ButtonText", "Nimbrella ZAV"},
        {"MenuText", "Nimbrella ZAV Options"},
        {"ToolTip", "Nimbrella ZAV Options"},
    };
    for (const Expected &v : values) {
        DWORD type;
        EXPECT_EQ(WithZero(v.text), StoredBytes(HKEY_LOCAL_MACHINE, ToolbarKey, v.name, &type))
            << v.name;
        EXPECT_EQ((DWORD)REG_SZ, type) << v.name;
    }
    HKEY key;
    DWORD count = 0;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, ToolbarKey, 0, KEY_READ, &key));
    RegQueryInfoKeyA(key, NULL, NULL, NULL, NULL, NULL, NULL, &count, NULL, NULL, NULL, NULL);
    RegCloseKey(key);
    EXPECT_EQ(8u, count);
}

TEST_F(BrowserEntriesTest, ToolbarButtonThatCannotBeWrittenIsReported)
{
    MakeKeyReadOnly(HKEY_LOCAL_MACHINE, ToolbarKey);
    BoxWatch watch;
    EXPECT_EQ(0, AddToolbarButton(NULL));
    ASSERT_EQ(1u, watch.boxes.size());
    EXPECT_EQ(CannotAddToolbarText + SystemText(ERROR_ACCESS_DENIED), watch.boxes[0].text);
    EXPECT_EQ("Nimbrella ZAV Info", watch.boxes[0].caption);
}

TEST_F(BrowserEntriesTest, RemovingTheToolbarButton)
{
    HWND window = CreateWindowA("STATIC", "owner", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, NULL,
                                NULL, NULL, NULL);
    enum Seed { Absent, Present, Undeletable };
    struct Case {
        Seed seed;
        HWND owner;
        int result;
        bool message;
    } cases[] = {
        {Absent, NULL, 1, false},     {Absent, window, 1, false},
        {Present, NULL, 1, false},    {Present, window, 1, false},
        {Undeletable, NULL, 1, false}, {Undeletable, window, 0, true},
    };
    std::string child = std::string(ToolbarKey) + "\\Child";
    for (const Case &c : cases) {
        if (c.seed != Absent)
            SeedText(HKEY_LOCAL_MACHINE, ToolbarKey, "ButtonText", "Nimbrella ZAV");
        if (c.seed == Undeletable)
            SeedText(HKEY_LOCAL_MACHINE, child.c_str(), "", "x");
        BoxWatch watch;
        EXPECT_EQ(c.result, RemoveToolbarButton(c.owner)) << c.seed << " " << c.owner;
        EXPECT_EQ(c.seed == Undeletable, KeyExists(HKEY_LOCAL_MACHINE, ToolbarKey));
        ASSERT_EQ(c.message ? 1u : 0u, watch.boxes.size()) << c.seed << " " << c.owner;
        if (c.message) {
            EXPECT_EQ(CannotRemoveToolbarText + SystemText(ERROR_ACCESS_DENIED),
                      watch.boxes[0].text);
            EXPECT_EQ(window, watch.boxes[0].owner);
        }
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, child.c_str());
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, ToolbarKey);
    }
    DestroyWindow(window);
}
