/* The install sequence on real folders, shell links and a sandboxed registry:
   which failures stop it, which it goes on after, and the removal lines it
   leaves in UNINSTALL.DAT. */
#include "install/InstallSequence.h"
#include "install/BrowserEntries.h"
#include "install/Shortcuts.h"
#include "install/UninstallRecord.h"
#include "options/AddressCorrection.h"
#include "app/Globals.h"
#include "BoxWatch.h"
#include "ShellFolders.h"
#include "SystemText.h"
#include <gtest/gtest.h>
#include <shlobj.h>
#include <string>

static const char *const manifestNames[] = {"ICON.ICO",    "ICONS.ICO",  "readme.htm",
                                            "license.htm", "startnm.htm", "zavact.htm",
                                            "zavdeact.htm", "zavolnw.htm"};
static const char copyFailed[] = "Cannot copy Nimbrella ZAV files:\n";

class InstallSequence : public ::testing::Test {
protected:
    void SetUp() override
    {
        SeedText(HKEY_LOCAL_MACHINE, DEFAULT_PREFIX_KEY, "", "http://");
        SeedText(HKEY_LOCAL_MACHINE, PREFIXES_KEY, "www", "http://");
        UseFolder(parent / "Nimbrella ZAV");
        SetFlags(1);
        desktopLink = SpecialFolder(CSIDL_DESKTOP) + "\\Nimbrella ZAV.lnk";
    }
    void TearDown() override
    {
        DeleteFileA(desktopLink.c_str());
        EmptyUninstallScript();
        startMenuFolder[0] = '\0';
        SetFlags(1);
    }
    void UseFolder(const std::string &path)
    {
        folder = path;
        lstrcpynA(installSettings.installFolder, folder.c_str(), MAX_PATH);
    }
    static void SetFlags(int value)
    {
        installSettings.addToStartMenu = installSettings.addToDesktop = value;
        installSettings.addToToolbar = value;
    }
    std::string File(const char *name) const { return folder + "\\" + name; }
    static std::string Line(const char *verb, const std::string &path)
    {
        return std::string(verb) + " " + ShortPath(path) + "\r\n";
    }
    std::string OwnLine() const { return Line("del", File("UNINSTALL.DAT")); }
    static bool ContextMenuKeyExists(int i)
    {
        return KeyExists(HKEY_CURRENT_USER, ContextMenuItems[i].keyPath);
    }
    static std::string DefaultPrefix() { return RegText(HKEY_LOCAL_MACHINE, DEFAULT_PREFIX_KEY, ""); }

    RegistrySandbox registry;
    ProgramsSandbox programs;
    ScratchFolder parent{"sequence"};
    std::string folder, desktopLink;
};

/* A flag counts only when it is exactly 1. */
TEST_F(InstallSequence, WithoutIconsEverythingElseIsInPlaceAndOnlyItsOwnRemovalLine)
{
    for (int flag : {0, 2}) {
        SCOPED_TRACE(flag);
        UseFolder(parent / ("flags " + std::to_string(flag)));
        SetFlags(flag);
        BoxWatch watch;
        EXPECT_EQ(1, InstallAll(NULL));
        EXPECT_TRUE(watch.boxes.empty());
        EXPECT_TRUE(FileExists(File("NMZAV.EXE")));
        for (const char *name : manifestNames)
            EXPECT_TRUE(FileExists(File(name))) << name;
        EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, UNINSTALL_KEY));
        for (int i = 0; i < CONTEXT_MENU_ITEM_COUNT; i++)
            EXPECT_TRUE(ContextMenuKeyExists(i)) << i;
        EXPECT_STREQ(ServicePrefix, DefaultPrefix().c_str());
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, TOOLBAR_BUTTON_KEY));
        EXPECT_FALSE(FileExists(desktopLink));
        EXPECT_FALSE(FolderExists(programs.common / "Nimbrella ZAV"));
        EXPECT_FALSE(FolderExists(programs.user / "Nimbrella ZAV"));
        EXPECT_EQ(OwnLine(), ReadFileBytes(File("UNINSTALL.DAT")));
    }
}

TEST_F(InstallSequence, CompleteInstallationListsEveryIconForRemovalInOrder)
{
    BoxWatch watch;
    EXPECT_EQ(1, InstallAll(NULL));
    EXPECT_TRUE(watch.boxes.empty());
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, TOOLBAR_BUTTON_KEY));
    std::string menu = programs.common / "Nimbrella ZAV";
    std::string expected = Line("del", desktopLink);
    for (const StartMenuItem &item : StartMenuItems)
        expected += Line("del", menu + "\\" + item.linkName);
    expected += Line("rmdir", menu) + OwnLine();
    EXPECT_EQ(expected, ReadFileBytes(File("UNINSTALL.DAT")));
}

TEST_F(InstallSequence, FolderThatCannotBeMadeStopsWithTheFolderMessage)
{
    const std::string lead = "Cannot create Nimbrella ZAV folder.\nMaybe, you have not enough "
                             "permissions on this computer.\n\nThe system error message:\n";
    ASSERT_TRUE(WriteFileBytes(parent / "a file", "mine"));
    std::string tooLong = parent / std::string(246 - parent.path.size() - 1, 'n');
    struct Case {
        std::string folder;
        DWORD error;
    } cases[] = {{parent / "a file", ERROR_ALREADY_EXISTS},
                 {tooLong, ERROR_FILENAME_EXCED_RANGE}};
    for (const Case &c : cases) {
        UseFolder(c.folder);
        BoxWatch watch;
        EXPECT_EQ(0, InstallAll(NULL));
        ASSERT_EQ(1u, watch.boxes.size()) << c.folder;
        EXPECT_EQ("Nimbrella ZAV Installation Error", watch.boxes[0].caption);
        EXPECT_EQ(lead + SystemText(c.error), watch.boxes[0].text);
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, UNINSTALL_KEY));
    }
    EXPECT_EQ("mine", ReadFileBytes(parent / "a file"));
    EXPECT_FALSE(FolderExists(tooLong));
}

/* The file is held open by a program that lets others read it: its original
   can be kept, but it cannot be replaced. */
TEST_F(InstallSequence, CarriedFileThatCannotBeWrittenStopsAfterTheFilesBeforeIt)
{
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), NULL));
    HANDLE held = CreateFileA(File("readme.htm").c_str(), GENERIC_READ, FILE_SHARE_READ, NULL,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    BoxWatch watch;
    EXPECT_EQ(0, InstallAll(NULL));
    CloseHandle(held);
    ASSERT_EQ(1u, watch.boxes.size());
    EXPECT_EQ("Nimbrella ZAV Installation Error", watch.boxes[0].caption);
    EXPECT_EQ(copyFailed + SystemText(ERROR_SHARING_VIOLATION), watch.boxes[0].text);
    EXPECT_TRUE(FileExists(File("NMZAV.EXE")));
    EXPECT_TRUE(FileExists(File("ICON.ICO")));
    EXPECT_TRUE(FileExists(File("ICONS.ICO")));
    EXPECT_FALSE(FileExists(File("license.htm")));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, UNINSTALL_KEY));
    EXPECT_FALSE(ContextMenuKeyExists(0));
    EXPECT_EQ("http://", DefaultPrefix());
    EXPECT_FALSE(FileExists(desktopLink));
    EXPECT_FALSE(FileExists(File("UNINSTALL.DAT")));
}

TEST_F(InstallSequence, FailedContextMenuEntriesStillCompleteTheInstallation)
{
    MakeKeyReadOnly(HKEY_CURRENT_USER, ContextMenuItems[0].keyPath);
    installSettings.addToDesktop = 0;
    BoxWatch watch;
    EXPECT_EQ(1, InstallAll(NULL));
    ASSERT_EQ(1u, watch.boxes.size());
    const std::string lead = "Cannot add Nimbrella ZAV items to the Internet Explorer context menu.";
    EXPECT_EQ(lead, watch.boxes[0].text.substr(0, lead.size()));
    EXPECT_STREQ(ServicePrefix, DefaultPrefix().c_str());
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, TOOLBAR_BUTTON_KEY));
    EXPECT_TRUE(FileExists(programs.common / "Nimbrella ZAV\\Uninstall Nimbrella ZAV.lnk"));
    std::string data = ReadFileBytes(File("UNINSTALL.DAT"));
    EXPECT_EQ(OwnLine(), data.substr(data.size() - OwnLine().size()));
}

TEST_F(InstallSequence, RefusedAddressCorrectionStillCompletesTheInstallation)
{
    SeedText(HKEY_LOCAL_MACHINE, DEFAULT_PREFIX_KEY, "", "http://proxy.example/?");
    SetFlags(0);
    BoxWatch watch;
    EXPECT_EQ(1, InstallAll(NULL));
    ASSERT_EQ(1u, watch.boxes.size());
    EXPECT_NE(std::string::npos, watch.boxes[0].text.find("http://proxy.example/?"));
    EXPECT_EQ("http://proxy.example/?", DefaultPrefix());
    EXPECT_TRUE(ContextMenuKeyExists(2));
    EXPECT_EQ(OwnLine(), ReadFileBytes(File("UNINSTALL.DAT")));
}

TEST_F(InstallSequence, SecondRunInTheSameProcessStartsAFreshRemovalList)
{
    SetFlags(0);
    installSettings.addToDesktop = 1;
    BoxWatch watch;
    EXPECT_EQ(1, InstallAll(NULL));
    EXPECT_EQ(1, InstallAll(NULL));
    EXPECT_TRUE(watch.boxes.empty());
    EXPECT_EQ(Line("del", desktopLink) + OwnLine(), ReadFileBytes(File("UNINSTALL.DAT")));
}
