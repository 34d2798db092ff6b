/* Removal of an installation's registrations and carried files: where it
   stops, what it goes on after, and the list of files it could not delete. */
#include "uninstall/Removal.h"
#include "uninstall/SelfRemoval.h"
#include "install/BrowserEntries.h"
#include "install/UninstallRecord.h"
#include "options/AddressCorrection.h"
#include "app/Globals.h"
#include "BoxWatch.h"
#include "Sandbox.h"
#include "SystemText.h"
#include <gtest/gtest.h>
#include <string>

static const char *const manifestNames[] = {"ICON.ICO",    "ICONS.ICO",  "readme.htm",
                                            "license.htm", "startnm.htm", "zavact.htm",
                                            "zavdeact.htm", "zavolnw.htm"};

/* What an installation leaves in the registry and the install folder. */
class Removal : public ::testing::Test {
protected:
    void SetUp() override { UseFolder(scratch.path); }
    void TearDown() override { uninstallMode = 0; }
    void UseFolder(const std::string &path)
    {
        folder = path;
        lstrcpynA(installSettings.installFolder, folder.c_str(), MAX_PATH);
    }
    void Install()
    {
        CreateDirectoryA(folder.c_str(), NULL);
        for (const char *name : manifestNames)
            ASSERT_TRUE(WriteFileBytes(File(name), "x"));
        SeedText(HKEY_LOCAL_MACHINE, DEFAULT_PREFIX_KEY, "", ServicePrefix);
        SeedText(HKEY_LOCAL_MACHINE, PREFIXES_KEY, "www", ServicePrefix);
        BoxWatch quiet;
        WriteUninstallKey(NULL);
        ASSERT_EQ(1, AddContextMenuItems(NULL));
        ASSERT_EQ(1, AddToolbarButton(NULL));
        ASSERT_TRUE(quiet.boxes.empty());
    }
    std::string File(const char *name) const { return folder + "\\" + name; }
    bool AnyFileLeft() const
    {
        for (const char *name : manifestNames)
            if (FileExists(File(name)))
                return true;
        return false;
    }
    static std::string DefaultPrefix()
    {
        return RegText(HKEY_LOCAL_MACHINE, DEFAULT_PREFIX_KEY, "");
    }

    ScratchFolder scratch{"removal"};
    std::string folder;
};

/* A key with a subkey cannot be deleted, as on Windows. */
static void Block(HKEY root, const char *path)
{
    SeedText(root, (std::string(path) + "\\held").c_str(), "", "x");
}

TEST_F(Removal, StopsAtTheFirstRegistryStepThatFails)
{
    HWND page = CreateWindowA("STATIC", "Ready", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, NULL, NULL,
                              NULL, NULL);
    enum { Prefixes, ContextMenu, Toolbar, UninstallEntry, Nothing };
    for (int failing = Prefixes; failing <= Nothing; failing++) {
        SCOPED_TRACE(failing);
        RegistrySandbox registry;
        ASSERT_NO_FATAL_FAILURE(Install());
        switch (failing) {
        case Prefixes:
            MakeKeyReadOnly(HKEY_LOCAL_MACHINE, DEFAULT_PREFIX_KEY);
            break;
        case ContextMenu:
            Block(HKEY_CURRENT_USER, ContextMenuItems[1].keyPath);
            break;
        case Toolbar:
            Block(HKEY_LOCAL_MACHINE, TOOLBAR_BUTTON_KEY);
            break;
        case UninstallEntry:
            Block(HKEY_LOCAL_MACHINE, UNINSTALL_KEY);
            break;
        }
        uninstallMode = 1;
        BoxWatch watch;
        EXPECT_EQ(failing == Nothing ? 1 : 0, RemoveAll(page));
        EXPECT_EQ(failing == Nothing ? 0u : 1u, watch.boxes.size());
        EXPECT_EQ(failing <= Prefixes, DefaultPrefix() == ServicePrefix);
        EXPECT_EQ(failing <= ContextMenu, KeyExists(HKEY_CURRENT_USER, ContextMenuItems[1].keyPath));
        EXPECT_EQ(failing <= Toolbar, KeyExists(HKEY_LOCAL_MACHINE, TOOLBAR_BUTTON_KEY));
        EXPECT_EQ(failing <= UninstallEntry, KeyExists(HKEY_LOCAL_MACHINE, UNINSTALL_KEY));
        EXPECT_EQ(failing != Nothing, AnyFileLeft());
    }
    DestroyWindow(page);
}

TEST_F(Removal, MissingFileIsListedInTheUninstallRoleOnlyAndTheRestAreDeleted)
{
    for (int mode : {1, 0}) {
        SCOPED_TRACE(mode);
        for (const char *name : manifestNames)
            ASSERT_TRUE(WriteFileBytes(File(name), "x"));
        DeleteFileA(File("startnm.htm").c_str());
        uninstallMode = mode;
        BoxWatch watch;
        EXPECT_EQ(0, DeleteInstalledFiles(NULL));
        EXPECT_FALSE(AnyFileLeft());
        if (mode == 1) {
            ASSERT_EQ(1u, watch.boxes.size());
            EXPECT_EQ("Nimbrella ZAV Info", watch.boxes[0].caption);
            EXPECT_EQ("Cannot delete file(s):\n\t" + File("startnm.htm") + "\n" +
                          SystemText(ERROR_FILE_NOT_FOUND),
                      watch.boxes[0].text);
        } else {
            EXPECT_TRUE(watch.boxes.empty());
        }
    }
}

/* Each listed path is either whole or left out: a cut one names another file;
   a line says that there are more. */
TEST_F(Removal, ListOfUndeletedFilesHoldsWholeLinesOnly)
{
    UseFolder(scratch / std::string(240 - scratch.path.size() - 1, 'p'));
    uninstallMode = 1;
    BoxWatch watch;
    EXPECT_EQ(0, DeleteInstalledFiles(NULL));
    ASSERT_EQ(1u, watch.boxes.size());
    std::string list = "Cannot delete file(s):\n";
    for (int i = 0; i < 3; i++)
        list += "\t" + File(manifestNames[i]) + "\n";
    std::string fourth = "\t" + File(manifestNames[3]) + "\n";
    ASSERT_GT(list.size() + fourth.size(), 1023u) << "the fourth line would fit";
    EXPECT_EQ((list + "\t...\n" + SystemText(ERROR_PATH_NOT_FOUND)).substr(0, 1023),
              watch.boxes[0].text);
}

TEST_F(Removal, UninstallWithoutRemovalLinesRemovesRegistrationsAndFilesOnly)
{
    RegistrySandbox registry;
    ASSERT_NO_FATAL_FAILURE(Install());
    std::string exe = File("NMZAV.EXE");
    ASSERT_TRUE(WriteFileBytes(exe, "MZ"));
    lstrcpynA(programPath, exe.c_str(), MAX_PATH);
    char temporary[MAX_PATH];
    GetTempPathA(MAX_PATH, temporary);
    std::string script = std::string(temporary) + "UNINSTALL.BAT";
    DeleteFileA(script.c_str());
    uninstallMode = 1;
    BoxWatch watch;
    EXPECT_EQ(1, UninstallAndRemoveSelf(NULL));
    EXPECT_TRUE(watch.boxes.empty());
    EXPECT_EQ(HttpPrefix, DefaultPrefix());
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, ContextMenuItems[0].keyPath));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, TOOLBAR_BUTTON_KEY));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, UNINSTALL_KEY));
    EXPECT_FALSE(AnyFileLeft());
    EXPECT_TRUE(FileExists(exe));
    EXPECT_FALSE(FileExists(script));
}

TEST_F(Removal, FailedRemovalMakesNoScriptAndNoCompletionMessage)
{
    RegistrySandbox registry;
    ASSERT_NO_FATAL_FAILURE(Install());
    Block(HKEY_CURRENT_USER, ContextMenuItems[0].keyPath);
    std::string exe = File("NMZAV.EXE");
    ASSERT_TRUE(WriteFileBytes(exe, "MZ"));
    ASSERT_TRUE(WriteFileBytes(File("UNINSTALL.DAT"), "del x\r\n"));
    lstrcpynA(programPath, exe.c_str(), MAX_PATH);
    uninstallMode = 1;
    BoxWatch watch;
    EXPECT_EQ(0, UninstallAndRemoveSelf(NULL));
    ASSERT_EQ(1u, watch.boxes.size());
    EXPECT_NE("Uninstalling completed", watch.boxes[0].text);
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, TOOLBAR_BUTTON_KEY));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, UNINSTALL_KEY));
    EXPECT_TRUE(AnyFileLeft());
    EXPECT_TRUE(FileExists(File("UNINSTALL.DAT")));
}
