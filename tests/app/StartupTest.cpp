/* The choice of role, the installed-copy test and the default folder. */
#include "app/Startup.h"
#include "app/Globals.h"
#include "app/Text.h"
#include "Sandbox.h"
#include <gtest/gtest.h>

TEST(RoleChoice, OnlySlashUInAnyCaseAloneSelectsUninstall)
{
    struct Case {
        const char *commandLine;
        bool uninstall;
    } cases[] = {
        {"NMZAV.EXE /U", true},
        {"NMZAV.EXE /u", true},
        {"NMZAV.EXE      /U", true},
        {"\"C:\\Program Files\\NimbrellaZAV\\NMZAV.EXE\" /U", true},
        {"\"C:\\Program Files\\NimbrellaZAV\\NMZAV.EXE\"/u", true},
        {"C:\\NMZAV\\NMZAV.EXE\t/U", true},
        {"NMZAV.EXE /U ", false},
        {"NMZAV.EXE /U word", false},
        {"NMZAV.EXE -U", false},
        {"NMZAV.EXE /Uninstall", false},
        {"NMZAV.EXE", false},
        {"\"C:\\Program Files\\NimbrellaZAV\\NMZAV.EXE\"", false},
        {"\"C:\\a /U\\NMZAV.EXE\"", false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.uninstall, IsUninstallArgument(CommandLineRemainder(c.commandLine)) != 0)
            << c.commandLine;
}

TEST(RoleChoice, RemainderSkipsTheQuotedOrUnquotedProgramName)
{
    EXPECT_STREQ("/U x", CommandLineRemainder("\"C:\\Program Files\\N\\NMZAV.EXE\"  /U x"));
    EXPECT_STREQ("", CommandLineRemainder("\"C:\\Program Files\\N\\NMZAV.EXE"));
    EXPECT_STREQ("arg", CommandLineRemainder("C:\\N\\NMZAV.EXE arg"));
}

class InstalledCopy : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const ManifestEntry &entry : FileManifest)
            ASSERT_TRUE(WriteFileBytes(folder / entry.fileName, "x"));
        Place("NMZAV.EXE");
    }
    void Place(const char *exeName)
    {
        std::string exe = folder / exeName;
        CopyText(programPath, MAX_PATH, exe.c_str());
        CopyText(installSettings.installFolder, MAX_PATH, folder.path.c_str());
    }
    ScratchFolder folder{"copy"};
};

TEST_F(InstalledCopy, IsNmzavExeWithEveryCarriedFileBesideIt)
{
    EXPECT_TRUE(IsInstalledCopy());
    Place("nmzav.exe");
    EXPECT_TRUE(IsInstalledCopy()) << "the name is compared ignoring case";
}

TEST_F(InstalledCopy, IsNotAnotherFileNameBesideCompleteFiles)
{
    Place("setup.exe");
    EXPECT_FALSE(IsInstalledCopy());
}

TEST_F(InstalledCopy, IsNotWhenAnyCarriedFileIsMissingOrAFolder)
{
    for (const ManifestEntry &entry : FileManifest) {
        std::string path = folder / entry.fileName;
        DeleteFileA(path.c_str());
        EXPECT_FALSE(IsInstalledCopy()) << entry.fileName << " missing";
        CreateDirectoryA(path.c_str(), NULL);
        EXPECT_FALSE(IsInstalledCopy()) << entry.fileName << " a folder";
        RemoveDirectoryA(path.c_str());
        WriteFileBytes(path, "x");
    }
    EXPECT_TRUE(IsInstalledCopy());
}

TEST(DefaultFolder, IsProgramFilesOnTheSystemDrive)
{
    char system[MAX_PATH];
    ASSERT_NE(0u, GetSystemDirectoryA(system, sizeof system));
    SetDefaultInstallFolder();
    EXPECT_EQ(std::string(system, 2) + "\\Program Files\\NimbrellaZAV",
              installSettings.installFolder);
}

TEST(ProgramPath, FolderIsThePathUpToItsLastBackslash)
{
    RecordProgramPath(GetModuleHandleA(NULL));
    char expected[MAX_PATH];
    GetModuleFileNameA(NULL, expected, sizeof expected);
    EXPECT_STREQ(expected, programPath);
    *strrchr(expected, '\\') = '\0';
    EXPECT_STREQ(expected, installSettings.installFolder);
}
