/* Placing files: the folder chain, the copy of the running executable and the
   carried files, on real folders of the C: drive. */
#include "install/FilePlacement.h"
#include "app/Globals.h"
#include "Sandbox.h"
#include <gtest/gtest.h>
#include <string>

static const std::string sampleBytes("first line\r\nsecond\0after zero", 29);

class FilePlacement : public ::testing::Test {
protected:
    void SetUp() override { UseFolder(scratch.path); }
    void UseFolder(const std::string &folder)
    {
        lstrcpynA(installSettings.installFolder, folder.c_str(), MAX_PATH);
    }
    ScratchFolder scratch{"placement"};
};

TEST_F(FilePlacement, MakesEveryMissingFolderDownToTheInstallFolder)
{
    char root[64];
    wsprintfA(root, "C:\\nmzav-nest-%lu", GetCurrentProcessId());
    UseFolder(std::string(root) + "\\A\\B\\C");
    EXPECT_EQ(1, CreateInstallFolder());
    EXPECT_TRUE(FolderExists(std::string(root) + "\\A\\B\\C"));
    RemoveTree(root);
}

TEST_F(FilePlacement, ExistingFolderIsAcceptedAndTrailingBackslashWorks)
{
    EXPECT_EQ(1, CreateInstallFolder());
    UseFolder(scratch / "made\\");
    EXPECT_EQ(1, CreateInstallFolder());
    EXPECT_TRUE(FolderExists(scratch / "made"));
}

TEST_F(FilePlacement, FileInTheFoldersPlaceFails)
{
    ASSERT_TRUE(WriteFileBytes(scratch / "taken", "x"));
    UseFolder(scratch / "taken");
    SetLastError(0xdeadbeef);
    EXPECT_EQ(0, CreateInstallFolder());
    EXPECT_EQ((DWORD)ERROR_ALREADY_EXISTS, GetLastError());
    EXPECT_EQ("x", ReadFileBytes(scratch / "taken"));
}

/* The folder must leave room for "\UNINSTALL.DAT" within 259 characters. */
TEST_F(FilePlacement, FolderWithoutRoomForItsLongestFileIsRefusedBeforeAnythingIsMade)
{
    std::string fits = scratch / "";
    fits += std::string(245 - fits.size(), 'f');
    std::string tooLong = scratch / "";
    tooLong += std::string(246 - tooLong.size(), 'g');

    UseFolder(tooLong);
    SetLastError(0xdeadbeef);
    EXPECT_EQ(0, CreateInstallFolder());
    EXPECT_EQ((DWORD)ERROR_FILENAME_EXCED_RANGE, GetLastError());
    EXPECT_FALSE(FolderExists(tooLong));

    UseFolder(fits);
    EXPECT_EQ(1, CreateInstallFolder());
    EXPECT_TRUE(FolderExists(fits));
}

TEST_F(FilePlacement, CopyReplacesAnEarlierNmzavExe)
{
    char self[MAX_PATH];
    GetModuleFileNameA(NULL, self, MAX_PATH);
    ASSERT_TRUE(WriteFileBytes(scratch / "NMZAV.EXE", "old copy"));
    EXPECT_NE(0, CopySelfToInstallFolder());
    std::string copied = ReadFileBytes(scratch / "NMZAV.EXE");
    EXPECT_GT(copied.size(), 100000u);
    EXPECT_TRUE(copied == ReadFileBytes(self));
}

/* Started from a read-only copy (a CD), the installed copy must still be
   deletable: CopyFileA would pass the attribute on. */
TEST_F(FilePlacement, CopyOfAReadOnlyExecutableIsNotReadOnly)
{
    char self[MAX_PATH];
    GetModuleFileNameA(NULL, self, MAX_PATH);
    DWORD attributes = GetFileAttributesA(self);
    ASSERT_TRUE(SetFileAttributesA(self, attributes | FILE_ATTRIBUTE_READONLY));
    int copied = CopySelfToInstallFolder();
    SetFileAttributesA(self, attributes);
    EXPECT_NE(0, copied);
    EXPECT_FALSE(GetFileAttributesA((scratch / "NMZAV.EXE").c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(DeleteFileA((scratch / "NMZAV.EXE").c_str()));
}

TEST_F(FilePlacement, CarriedFileIsTruncatedAndRewrittenToTheResourceExactly)
{
    ASSERT_TRUE(WriteFileBytes(scratch / "sample.txt", std::string(4096, 'z')));
    EXPECT_EQ(1, ExtractResourceFile("SAMPLE", "TESTFILES", "sample.txt"));
    EXPECT_EQ(sampleBytes, ReadFileBytes(scratch / "sample.txt"));
    DWORD attributes = GetFileAttributesA((scratch / "sample.txt").c_str());
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_ARCHIVE);
}

TEST_F(FilePlacement, MissingOrEmptyResourceCreatesNoFile)
{
    EXPECT_EQ(0, ExtractResourceFile("NOSUCH", "TESTFILES", "missing.txt"));
    EXPECT_EQ(0, ExtractResourceFile("EMPTY", "TESTFILES", "empty.txt"));
    EXPECT_EQ(0, ExtractResourceFile(MAKEINTRESOURCEA(9999), MAKEINTRESOURCEA(23), "none.htm"));
    EXPECT_FALSE(FileExists(scratch / "missing.txt"));
    EXPECT_FALSE(FileExists(scratch / "empty.txt"));
    EXPECT_FALSE(FileExists(scratch / "none.htm"));
}

TEST_F(FilePlacement, FileHeldOpenWithoutSharingFailsWithTheSystemsReason)
{
    HANDLE held = CreateFileA((scratch / "held.txt").c_str(), GENERIC_READ, 0, NULL,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    SetLastError(0xdeadbeef);
    EXPECT_EQ(0, ExtractResourceFile("SAMPLE", "TESTFILES", "held.txt"));
    EXPECT_EQ((DWORD)ERROR_SHARING_VIOLATION, GetLastError());
    CloseHandle(held);
}
