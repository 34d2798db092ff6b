/* Taking back a failed installation: exactly what the run changed goes back,
   and what it never reached, the user's own files and an earlier
   installation's entry among them, stays as it was. */
#include "install/InstallSequence.h"
#include "install/PriorState.h"
#include "install/UninstallRecord.h"
#include "options/AddressCorrection.h"
#include "app/Globals.h"
#include "BoxWatch.h"
#include "ShellFolders.h"
#include "SystemText.h"
#include <gtest/gtest.h>
#include <string>

class TakeBack : public ::testing::Test {
protected:
    void SetUp() override
    {
        SeedText(HKEY_LOCAL_MACHINE, DEFAULT_PREFIX_KEY, "", "http://");
        installSettings.addToStartMenu = installSettings.addToDesktop = 0;
        installSettings.addToToolbar = 0;
        UseFolder(parent / "Nimbrella ZAV");
    }
    void TearDown() override
    {
        if (held != INVALID_HANDLE_VALUE)
            CloseHandle(held);
        installSettings.addToStartMenu = installSettings.addToDesktop = 1;
        installSettings.addToToolbar = 1;
    }
    void UseFolder(const std::string &path)
    {
        folder = path;
        lstrcpynA(installSettings.installFolder, folder.c_str(), MAX_PATH);
    }
    std::string File(const char *name) const { return folder + "\\" + name; }
    /* An existing folder with the user's own licence and read-me, the read-me
       held open by another program, so that the run stops at it. */
    void UsersFolderWithReadMeHeld()
    {
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), NULL));
        ASSERT_TRUE(WriteFileBytes(File("license.htm"), "my licence"));
        ASSERT_TRUE(WriteFileBytes(File("readme.htm"), "my read-me"));
        held = CreateFileA(File("readme.htm").c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0,
                           NULL);
        ASSERT_NE(INVALID_HANDLE_VALUE, held);
    }

    RegistrySandbox registry;
    ScratchFolder parent{"take back"};
    std::string folder;
    HANDLE held = INVALID_HANDLE_VALUE;
};

TEST_F(TakeBack, PutsBackWhatTheRunReplacedAndDeletesWhatItCreated)
{
    ASSERT_NO_FATAL_FAILURE(UsersFolderWithReadMeHeld());
    ASSERT_TRUE(WriteFileBytes(File("ICON.ICO"), "an icon of an earlier installation"));
    ASSERT_TRUE(SetFileAttributesA(File("ICON.ICO").c_str(), FILE_ATTRIBUTE_HIDDEN));
    DWORD iconAttributes = GetFileAttributesA(File("ICON.ICO").c_str());
    ASSERT_TRUE(iconAttributes & FILE_ATTRIBUTE_HIDDEN);
    SeedText(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, "DisplayName", "Nimbrella Zavex Add-on 2.006");
    SeedText(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, "Publisher", "someone");

    BoxWatch watch;
    EXPECT_EQ(0, InstallAll(NULL));
    ASSERT_EQ(1u, watch.boxes.size());
    EXPECT_EQ("Cannot copy Nimbrella ZAV files:\n" + SystemText(ERROR_SHARING_VIOLATION),
              watch.boxes[0].text);
    EXPECT_EQ(1, TakeBackFailedInstall(NULL));
    EXPECT_EQ(1u, watch.boxes.size()) << "no message when all was put back";

    EXPECT_EQ("my licence", ReadFileBytes(File("license.htm")));
    CloseHandle(held);
    held = INVALID_HANDLE_VALUE;
    EXPECT_EQ("my read-me", ReadFileBytes(File("readme.htm")));
    EXPECT_EQ("an icon of an earlier installation", ReadFileBytes(File("ICON.ICO")));
    EXPECT_EQ(iconAttributes, GetFileAttributesA(File("ICON.ICO").c_str()));
    EXPECT_FALSE(FileExists(File("ICONS.ICO")));
    EXPECT_FALSE(FileExists(File("NMZAV.EXE")));
    EXPECT_TRUE(FolderExists(folder));
    EXPECT_EQ("Nimbrella Zavex Add-on 2.006", RegText(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, "DisplayName"));
    EXPECT_EQ("<absent>", RegText(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, "UninstallString"));
    EXPECT_EQ("someone", RegText(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, "Publisher"));
}

TEST_F(TakeBack, RemovesTheFoldersTheRunMadeAndItsEntry)
{
    /* The last folder has a name the system refuses: the two above it were
       made before the run stopped. */
    UseFolder(parent / "made\\deeper\\bad|name");
    BoxWatch watch;
    EXPECT_EQ(0, InstallAll(NULL));
    ASSERT_TRUE(FolderExists(parent / "made\\deeper"));
    EXPECT_EQ(1, TakeBackFailedInstall(NULL));
    EXPECT_FALSE(FolderExists(parent / "made"));
    EXPECT_TRUE(FolderExists(parent.path));

    UseFolder(parent / "new");
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), NULL));
    ASSERT_TRUE(CreateDirectoryA(File("readme.htm").c_str(), NULL));
    EXPECT_EQ(0, InstallAll(NULL));
    ASSERT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, UNINSTALL_KEY));
    EXPECT_EQ(1, TakeBackFailedInstall(NULL));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, UNINSTALL_KEY));
    EXPECT_FALSE(FileExists(File("ICON.ICO")));
    EXPECT_TRUE(FolderExists(File("readme.htm"))) << "a folder in the way is not the run's";
}

TEST_F(TakeBack, NamesWhatCannotBePutBack)
{
    ASSERT_NO_FATAL_FAILURE(UsersFolderWithReadMeHeld());
    ASSERT_TRUE(WriteFileBytes(File("ICON.ICO"), "mine"));
    BoxWatch watch;
    EXPECT_EQ(0, InstallAll(NULL));
    HANDLE icon = CreateFileA(File("ICON.ICO").c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0,
                              NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, icon);
    EXPECT_EQ(0, TakeBackFailedInstall(NULL));
    CloseHandle(icon);
    ASSERT_EQ(2u, watch.boxes.size());
    EXPECT_EQ("Nimbrella ZAV Installation Error", watch.boxes[1].caption);
    EXPECT_EQ("Cannot undo the failed installation of Nimbrella ZAV. These could not be put "
              "back as they were:\n\t" + File("ICON.ICO") + "\n\nThe system error message:\n" +
                  SystemText(ERROR_SHARING_VIOLATION),
              watch.boxes[1].text);
    EXPECT_FALSE(FileExists(File("NMZAV.EXE"))) << "the rest was still taken back";
}
