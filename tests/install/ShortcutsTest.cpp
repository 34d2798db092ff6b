/* Shortcuts: real shell links saved into scratch Programs folders (and the
   real desktop, cleaned up), read back through the shell's link object. */
#include "install/Shortcuts.h"
#include "install/UninstallRecord.h"
#include "app/Globals.h"
#include "BoxWatch.h"
#include "ShellFolders.h"
#include "Hosts.h"
#include <gtest/gtest.h>
#include <shlobj.h>
#include <string>

class Shortcuts : public ::testing::Test {
protected:
    void SetUp() override
    {
        CoInitialize(NULL);
        lstrcpynA(installSettings.installFolder, install.path.c_str(), MAX_PATH);
        for (const char *name : {"NMZAV.EXE", "startnm.htm", "readme.htm", "license.htm"})
            WriteFileBytes(install / name, "x");
        EmptyUninstallScript();
        startMenuFolder[0] = '\0';
        desktopLink = SpecialFolder(CSIDL_DESKTOP) + "\\Nimbrella ZAV.lnk";
    }
    void TearDown() override
    {
        SetFileAttributesA(desktopLink.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(desktopLink.c_str());
        RemoveDirectoryA(desktopLink.c_str());
        EmptyUninstallScript();
        startMenuFolder[0] = '\0';
    }
    std::string Script() const { return uninstallScript ? uninstallScript : ""; }
    static std::string DelLine(const std::string &path) { return "del " + ShortPath(path) + "\r\n"; }

    RegistrySandbox registry;
    ProgramsSandbox programs;
    ScratchFolder install{"install folder"};
    std::string desktopLink;
};

TEST_F(Shortcuts, FiveItemsGoIntoTheCommonProgramsFolderAsDescribed)
{
    BoxWatch watch;
    EXPECT_EQ(1, AddStartMenuItems(NULL));
    EXPECT_TRUE(watch.boxes.empty());
    std::string folder = programs.common / "Nimbrella ZAV";
    EXPECT_EQ(folder, startMenuFolder);

    const std::string exe = install / "NMZAV.EXE";
    struct Expected {
        const char *linkName;
        std::string target, description, arguments, iconPath;
        int iconIndex;
    } expected[] = {
        {"Nimbrella ZAV.lnk", exe, "Nimbrella Zavex Add-on 2.007", "", "", 0},
        {"Nimbrella on " NIMBRELLA_HOST ".lnk", install / "startnm.htm",
         "Open " NIMBRELLA_BASE "/", "", "", 0},
        {"Read Me.lnk", install / "readme.htm", "Short description of Nimbrella ZAV", "", "", 0},
        {"License Agreement.lnk", install / "license.htm", "Nimbrella ZAV license agreement", "",
         "", 0},
        {"Uninstall Nimbrella ZAV.lnk", exe, "Uninstall Nimbrella Zavex Add-on", "/U", exe, 1},
    };
    std::string lines;
    for (const Expected &e : expected) {
        std::string path = folder + "\\" + e.linkName;
        LinkContents link = ReadShellLink(path);
        ASSERT_TRUE(link.loaded) << path;
        EXPECT_EQ(e.target, link.target) << e.linkName;
        EXPECT_EQ(e.description, link.description) << e.linkName;
        EXPECT_EQ(e.arguments, link.arguments) << e.linkName;
        EXPECT_EQ(e.iconPath, link.iconPath) << e.linkName;
        if (!e.iconPath.empty()) {
            EXPECT_EQ(e.iconIndex, link.iconIndex) << e.linkName;
        }
        lines += DelLine(path);
    }
    EXPECT_EQ(lines, Script());
}

TEST_F(Shortcuts, ExistingFolderIsReusedAndItsLinkReplaced)
{
    std::string folder = programs.common / "Nimbrella ZAV";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), NULL));
    ASSERT_TRUE(WriteFileBytes(folder + "\\Read Me.lnk", "not a link"));
    const StartMenuItem &item = StartMenuItems[2];
    EXPECT_EQ(1, AddStartMenuItem(NULL, item.linkName, item.targetFile, item.description, NULL,
                                  NULL, 0));
    EXPECT_EQ(folder, startMenuFolder);
    EXPECT_EQ(install / "readme.htm", ReadShellLink(folder + "\\Read Me.lnk").target);
}

TEST_F(Shortcuts, FileInTheCommonFolderSendsItemsToTheUsersOwnPrograms)
{
    ASSERT_TRUE(WriteFileBytes(programs.common / "Nimbrella ZAV", "in the way"));
    BoxWatch watch;
    EXPECT_EQ(1, AddStartMenuItems(NULL));
    EXPECT_TRUE(watch.boxes.empty());
    EXPECT_EQ(programs.user / "Nimbrella ZAV", startMenuFolder);
    EXPECT_TRUE(ReadShellLink(programs.user / "Nimbrella ZAV\\Nimbrella ZAV.lnk").loaded);
    EXPECT_EQ("in the way", ReadFileBytes(programs.common / "Nimbrella ZAV"));
}

TEST_F(Shortcuts, FilesBlockingBothFoldersGiveTheFolderMessageAndNoItem)
{
    ASSERT_TRUE(WriteFileBytes(programs.common / "Nimbrella ZAV", "in the way"));
    ASSERT_TRUE(WriteFileBytes(programs.user / "Nimbrella ZAV", "in the way"));
    BoxWatch watch;
    EXPECT_EQ(0, AddStartMenuItems(NULL));
    ASSERT_EQ(1u, watch.boxes.size());
    const std::string lead =
        "Cannot create the \"Start Menu\\Programs\\Nimbrella ZAV\" folder.\nThe system error "
        "message:\n";
    EXPECT_EQ("Nimbrella ZAV Installation Error", watch.boxes[0].caption);
    EXPECT_EQ(lead, watch.boxes[0].text.substr(0, lead.size()));
    EXPECT_GT(watch.boxes[0].text.size(), lead.size()) << "the system's reason is missing";
    EXPECT_STREQ("", startMenuFolder);
    EXPECT_EQ("", Script());
}

TEST_F(Shortcuts, FailedSaveOfTheThirdItemEndsTheChain)
{
    std::string folder = programs.common / "Nimbrella ZAV";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), NULL));
    /* A folder where the third link should go makes its save fail for real. */
    ASSERT_TRUE(CreateDirectoryA((folder + "\\Read Me.lnk").c_str(), NULL));
    BoxWatch watch;
    EXPECT_EQ(0, AddStartMenuItems(NULL));
    ASSERT_EQ(1u, watch.boxes.size());
    const std::string lead = "Cannot add an Nimbrella ZAV item to the \"Start "
                             "Menu\\Programs\\Nimbrella ZAV\" folder.\nThe system error message:\n";
    EXPECT_EQ(lead, watch.boxes[0].text.substr(0, lead.size()));
    std::string first = folder + "\\Nimbrella ZAV.lnk";
    std::string second = folder + "\\Nimbrella on " NIMBRELLA_HOST ".lnk";
    EXPECT_TRUE(ReadShellLink(first).loaded);
    EXPECT_TRUE(ReadShellLink(second).loaded);
    EXPECT_FALSE(FileExists(folder + "\\License Agreement.lnk"));
    EXPECT_FALSE(FileExists(folder + "\\Uninstall Nimbrella ZAV.lnk"));
    EXPECT_EQ(DelLine(first) + DelLine(second), Script());
}

TEST_F(Shortcuts, DesktopLinkReplacesAnEarlierOneAndIsRecordedOnce)
{
    ASSERT_TRUE(WriteFileBytes(desktopLink, "old"));
    BoxWatch watch;
    EXPECT_EQ(1, CreateDesktopShortcut(NULL));
    EXPECT_TRUE(watch.boxes.empty());
    LinkContents link = ReadShellLink(desktopLink);
    ASSERT_TRUE(link.loaded);
    EXPECT_EQ(install / "NMZAV.EXE", link.target);
    EXPECT_EQ("Nimbrella Zavex Add-on", link.description);
    EXPECT_EQ("", link.arguments);
    EXPECT_EQ("", link.iconPath);
    EXPECT_EQ(DelLine(desktopLink), Script());
}

TEST_F(Shortcuts, DesktopLinkThatCannotBeSavedIsReportedWithoutSystemText)
{
    ASSERT_TRUE(CreateDirectoryA(desktopLink.c_str(), NULL));
    BoxWatch watch;
    EXPECT_EQ(0, CreateDesktopShortcut(NULL));
    ASSERT_EQ(1u, watch.boxes.size());
    EXPECT_EQ("Nimbrella ZAV Installation Error", watch.boxes[0].caption);
    EXPECT_EQ("Cannot add Nimbrella ZAV icon onto the Windows Desktop.", watch.boxes[0].text);
    EXPECT_EQ("", Script());
}
