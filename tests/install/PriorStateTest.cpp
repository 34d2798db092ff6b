/* Taking back a failed installation: exactly what the run changed goes back,
   and what it never reached, the user's own files and an earlier
   installation's entry among them, stays as it was. Every original is kept
   as a file beside it before anything is replaced, and renamed back. */
#include "install/InstallSequence.h"
#include "install/PriorState.h"
#include "install/UninstallRecord.h"
#include "options/AddressCorrection.h"
#include "app/Files.h"
#include "app/Globals.h"
#include "BoxWatch.h"
#include "HostCommand.h"
#include "ShellFolders.h"
#include "SystemText.h"
#include "ImportSlot.h"
#include <gtest/gtest.h>
#include <functional>
#include <map>
#include <vector>
#include <string>

static const char *const placedNames[] = {"NMZAV.EXE",   "ICON.ICO",    "ICONS.ICO",
                                          "readme.htm",  "license.htm", "startnm.htm",
                                          "zavact.htm",  "zavdeact.htm", "zavolnw.htm"};

static std::string Summary(const std::string &bytes)
{
    if (bytes.size() <= 64)
        return bytes;
    unsigned sum = 0;
    for (unsigned char c : bytes)
        sum = sum * 31 + c;
    return std::to_string(bytes.size()) + " bytes, checksum " + std::to_string(sum);
}

class TakeBack : public ::testing::Test {
protected:
    void SetUp() override
    {
        SeedText(HKEY_LOCAL_MACHINE, DEFAULT_PREFIX_KEY, "", "http://");
        SeedText(HKEY_LOCAL_MACHINE, PREFIXES_KEY, "www", "http://");
        installSettings.addToStartMenu = installSettings.addToDesktop = 0;
        installSettings.addToToolbar = 0;
        UseFolder(parent / "Nimbrella ZAV");
    }
    void TearDown() override
    {
        if (held != INVALID_HANDLE_VALUE)
            CloseHandle(held);
        if (locked) {
            EXPECT_EQ(0, RunHostCommand("chattr -i zav", parent.path));
        }
        installSettings.addToStartMenu = installSettings.addToDesktop = 1;
        installSettings.addToToolbar = 1;
    }
    void UseFolder(const std::string &path)
    {
        folder = path;
        lstrcpynA(installSettings.installFolder, folder.c_str(), MAX_PATH);
    }
    std::string File(const char *name) const { return folder + "\\" + name; }
    /* The folder with an earlier file of that name, and a folder where the
       read-me goes, which stops the run after the files before it. */
    void EarlierFileAndReadMeInTheWay(const char *name, const char *bytes)
    {
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), NULL));
        ASSERT_TRUE(WriteFileBytes(File(name), bytes));
        ASSERT_TRUE(CreateDirectoryA(File("readme.htm").c_str(), NULL));
    }
    /* Holds a file open as another program would, sharing as given. */
    void Hold(const char *name, DWORD share)
    {
        held = CreateFileA(File(name).c_str(), GENERIC_READ, share, NULL, OPEN_EXISTING, 0, NULL);
        ASSERT_NE(INVALID_HANDLE_VALUE, held);
    }
    void Release()
    {
        CloseHandle(held);
        held = INVALID_HANDLE_VALUE;
    }
    /* Every file of the folder by name, with its bytes (a long file by its
       length and a checksum, so that a failure reads short). */
    std::map<std::string, std::string> Files() const
    {
        std::map<std::string, std::string> files;
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA(File("*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return files;
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                files[found.cFileName] = Summary(ReadFileBytes(File(found.cFileName)));
        } while (FindNextFileA(search, &found));
        FindClose(search);
        return files;
    }

    RegistrySandbox registry;
    ScratchFolder parent{"take back"};
    std::string folder;
    HANDLE held = INVALID_HANDLE_VALUE;
    bool locked = false;
};

TEST_F(TakeBack, PutsBackWhatTheRunReplacedAndDeletesWhatItCreated)
{
    /* An earlier NMZAV.EXE, a hidden read-only icon, and the user's own
       licence and read-me, the read-me held open by another program that
       lets others read it: it is kept, but cannot be replaced, so that the
       run stops there. */
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), NULL));
    ASSERT_TRUE(WriteFileBytes(File("NMZAV.EXE"), "an earlier NMZAV.EXE"));
    ASSERT_TRUE(WriteFileBytes(File("ICON.ICO"), "an icon of an earlier installation"));
    ASSERT_TRUE(WriteFileBytes(File("license.htm"), "my licence"));
    ASSERT_TRUE(WriteFileBytes(File("readme.htm"), "my read-me"));
    ASSERT_TRUE(SetFileAttributesA(File("ICON.ICO").c_str(),
                                   FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY));
    DWORD iconAttributes = GetFileAttributesA(File("ICON.ICO").c_str());
    ASSERT_TRUE(iconAttributes & FILE_ATTRIBUTE_HIDDEN);
    const std::map<std::string, std::string> before = Files();
    ASSERT_NO_FATAL_FAILURE(Hold("readme.htm", FILE_SHARE_READ));
    SeedText(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, "DisplayName", "Nimbrella Zavex Add-on 2.006");
    SeedText(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, "Publisher", "someone");

    BoxWatch watch;
    EXPECT_EQ(0, InstallAll(NULL));
    ASSERT_EQ(1u, watch.boxes.size());
    EXPECT_EQ("Cannot copy Nimbrella ZAV files:\n" + SystemText(ERROR_SHARING_VIOLATION),
              watch.boxes[0].text);
    ASSERT_NE("an earlier NMZAV.EXE", ReadFileBytes(File("NMZAV.EXE"))) << "it was replaced";
    EXPECT_EQ(1, TakeBackFailedInstall(NULL));
    EXPECT_EQ(1u, watch.boxes.size()) << "no message when all was put back";
    Release();

    EXPECT_EQ(before, Files()) << "the originals back, and no kept copy left";
    EXPECT_EQ(iconAttributes, GetFileAttributesA(File("ICON.ICO").c_str()));
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
    /* A read-only attribute does not keep a file of the run's. */
    ASSERT_TRUE(SetFileAttributesA(File("ICONS.ICO").c_str(), FILE_ATTRIBUTE_READONLY));
    const size_t shown = watch.boxes.size();
    EXPECT_EQ(1, TakeBackFailedInstall(NULL));
    EXPECT_EQ(shown, watch.boxes.size()) << "no message from the take-back";
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, UNINSTALL_KEY));
    EXPECT_TRUE(Files().empty()) << "the run's files gone";
    EXPECT_TRUE(FolderExists(File("readme.htm"))) << "a folder in the way is not the run's";
}

/* A copy that failed part of the way may leave no file at all where the
   original was: the original is renamed back all the same. */
TEST_F(TakeBack, AnOriginalComesBackWhereTheRunLeftNoFile)
{
    ASSERT_NO_FATAL_FAILURE(EarlierFileAndReadMeInTheWay("NMZAV.EXE", "an earlier NMZAV.EXE"));
    BoxWatch watch;
    EXPECT_EQ(0, InstallAll(NULL));
    ASSERT_TRUE(DeleteFileA(File("NMZAV.EXE").c_str()));
    EXPECT_EQ(1, TakeBackFailedInstall(NULL));
    EXPECT_EQ(1u, watch.boxes.size()) << "no message from the take-back";
    std::map<std::string, std::string> expected = {{"NMZAV.EXE", "an earlier NMZAV.EXE"}};
    EXPECT_EQ(expected, Files());
}

/* readme.htm is another name of the user's own file (a hard link): the run
   writes a file of its own, whether it succeeds or is taken back, and the
   user's file keeps its bytes. */
TEST_F(TakeBack, AFileThatIsAnotherNameOfTheUsersFileIsNotWrittenThrough)
{
    const std::string notes = parent / "my notes.htm";
    for (bool fails : {false, true}) {
        SCOPED_TRACE(fails ? "a failed run" : "a successful run");
        UseFolder(parent / (fails ? "failing" : "succeeding"));
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), NULL));
        ASSERT_TRUE(WriteFileBytes(notes, "my own notes"));
        ASSERT_TRUE(CreateHardLinkA(File("readme.htm").c_str(), notes.c_str(), NULL));
        if (fails)
            ASSERT_TRUE(CreateDirectoryA(File("zavolnw.htm").c_str(), NULL));
        BoxWatch watch;
        EXPECT_EQ(fails ? 0 : 1, InstallAll(NULL));
        if (fails)
            EXPECT_EQ(1, TakeBackFailedInstall(NULL));
        EXPECT_EQ("my own notes", ReadFileBytes(notes));
        EXPECT_EQ(fails, ReadFileBytes(File("readme.htm")) == "my own notes");
        DeleteFileA(notes.c_str());
    }
}

/* The new icon is held open by another program when the run is taken back:
   it cannot be deleted, and its original stays under its kept name, which
   the message gives. */
TEST_F(TakeBack, AnOriginalThatCannotGoBackStaysKeptAndTheMessageSaysWhere)
{
    ASSERT_NO_FATAL_FAILURE(EarlierFileAndReadMeInTheWay("ICON.ICO", "mine"));
    BoxWatch watch;
    EXPECT_EQ(0, InstallAll(NULL));
    const std::string newIcon = ReadFileBytes(File("ICON.ICO"));
    ASSERT_NE("mine", newIcon);
    ASSERT_NO_FATAL_FAILURE(Hold("ICON.ICO", 0));
    EXPECT_EQ(0, TakeBackFailedInstall(NULL));
    Release();

    std::map<std::string, std::string> files = Files();
    ASSERT_EQ(3u, files.size()) << "the new icon, the kept original and its record";
    files.erase("ICON.ICO");
    files.erase("TAKEBACK.DAT");
    const std::string kept = files.begin()->first;
    EXPECT_EQ("mine", files.begin()->second);
    ASSERT_EQ(2u, watch.boxes.size());
    EXPECT_EQ("Nimbrella ZAV Installation Error", watch.boxes[1].caption);
    EXPECT_EQ("Cannot undo the failed installation of Nimbrella ZAV. These could not be put "
              "back as they were:\n\t" + File("ICON.ICO") + ": its original is kept as " + kept +
                  "\n\nThe system error message:\n" + SystemText(ERROR_SHARING_VIOLATION),
              watch.boxes[1].text);
    EXPECT_TRUE(newIcon == ReadFileBytes(File("ICON.ICO"))) << "the new icon stays";
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, UNINSTALL_KEY)) << "the rest was still taken back";
}

/* Before anything is replaced, every original must be kept; when one cannot
   be, the run replaces nothing, and after its take-back the earlier
   installation is there as it was, with no kept copy beside it. */
TEST_F(TakeBack, AnOriginalThatCannotBeKeptStopsTheRunBeforeAnythingIsReplaced)
{
    struct Case {
        const char *what;
        std::function<void()> prepare;
        DWORD error;
        bool needsHost;
    };
    const Case cases[] = {
        /* chattr +i refuses even root a new file in the folder, while its
           files can still be written. */
        {"a folder that refuses new files",
         [this] {
             ASSERT_EQ(0, RunHostCommand("chattr +i zav", parent.path));
             locked = true;
             ASSERT_FALSE(WriteFileBytes(File("new.txt"), "x"));
         },
         ERROR_ACCESS_DENIED, true},
        {"a carried file held open by another program",
         [this] { Hold("readme.htm", 0); }, ERROR_SHARING_VIOLATION, false},
        /* Its copy could not be compared with it whole. The file is sparse:
           it takes no room, and reads as its last three bytes below. */
        {"a carried file of 4 GiB or more",
         [this] {
             held = CreateFileA(File("zavolnw.htm").c_str(), GENERIC_WRITE, 0, NULL,
                                OPEN_EXISTING, 0, NULL);
             LARGE_INTEGER size;
             size.QuadPart = 0x100000003LL;
             ASSERT_TRUE(SetFilePointerEx(held, size, NULL, FILE_BEGIN) && SetEndOfFile(held));
             Release();
         },
         ERROR_FILE_TOO_LARGE, false},
    };
    std::string skipped;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        if (c.needsHost && HostCommandsMissing()) {
            skipped = std::string(c.what) + ": " + HostCommandsMissing();
            continue;
        }
        UseFolder(parent / "zav");
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), NULL));
        for (const char *name : placedNames)
            ASSERT_TRUE(WriteFileBytes(File(name), std::string("earlier ") + name));
        SeedText(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, "DisplayName", "Nimbrella Zavex Add-on 2.006");
        std::map<std::string, std::string> before = Files();
        ASSERT_NO_FATAL_FAILURE(c.prepare());
        /* A file held without sharing cannot be read: then the files as
           they were before stand. */
        if (held == INVALID_HANDLE_VALUE)
            before = Files();

        BoxWatch watch;
        EXPECT_EQ(0, InstallAll(NULL));
        if (held != INVALID_HANDLE_VALUE)
            Release();
        for (const char *name : placedNames)
            EXPECT_EQ(before.at(name), Summary(ReadFileBytes(File(name)))) << name << " not replaced";
        EXPECT_EQ(1, TakeBackFailedInstall(NULL));
        ASSERT_EQ(1u, watch.boxes.size());
        EXPECT_EQ("Cannot copy Nimbrella ZAV files:\n" + SystemText(c.error), watch.boxes[0].text);
        EXPECT_EQ(before, Files()) << "no kept copy left";
        EXPECT_EQ("Nimbrella Zavex Add-on 2.006", RegText(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, "DisplayName"));
        EXPECT_EQ("<absent>", RegText(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, "UninstallString"));
        if (locked) {
            EXPECT_EQ(0, RunHostCommand("chattr -i zav", parent.path));
        }
        locked = false;
        RemoveTree(folder);
    }
    if (!skipped.empty())
        GTEST_SKIP() << skipped;
}

/* Values too long to be noted could not be put back: the entry is left alone
   with a word why, and the installation goes on. */
TEST_F(TakeBack, AnUninstallEntryWhoseValuesCannotBeNotedIsLeftAlone)
{
    const std::string longName(2000, 'n');
    for (const char *name : {"DisplayName", "UninstallString"}) {
        SCOPED_TRACE(name);
        SeedText(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, name, longName.c_str());
        BoxWatch watch;
        EXPECT_EQ(1, InstallAll(NULL));
        ASSERT_EQ(1u, watch.boxes.size());
        EXPECT_EQ("Nimbrella ZAV Installation Info", watch.boxes[0].caption);
        EXPECT_EQ(0u, watch.boxes[0].text.find("Cannot create uninstall info."));
        EXPECT_EQ(SystemText(ERROR_MORE_DATA),
                  watch.boxes[0].text.substr(watch.boxes[0].text.size() -
                                             SystemText(ERROR_MORE_DATA).size()));
        EXPECT_EQ(longName, RegText(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, name));
        EXPECT_TRUE(FileExists(File("zavolnw.htm"))) << "the installation went on";
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, UNINSTALL_KEY);
    }
}

/* A successful installation over an earlier one deletes the originals it
   kept, a read-only one too (a kept copy takes its original's attributes). */
TEST_F(TakeBack, ASuccessfulInstallationLeavesNoKeptCopy)
{
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), NULL));
    for (const char *name : placedNames)
        ASSERT_TRUE(WriteFileBytes(File(name), std::string("earlier ") + name));
    ASSERT_TRUE(SetFileAttributesA(File("ICON.ICO").c_str(), FILE_ATTRIBUTE_READONLY));
    BoxWatch watch;
    EXPECT_EQ(1, InstallAll(NULL));
    EXPECT_TRUE(watch.boxes.empty());
    std::map<std::string, std::string> files = Files();
    EXPECT_EQ(10u, files.size()) << "the nine files and UNINSTALL.DAT";
    EXPECT_NE("earlier ICON.ICO", files["ICON.ICO"]);
    EXPECT_EQ(1, TakeBackFailedInstall(NULL)) << "nothing left to take back";
    EXPECT_EQ(files, Files());
}

/* DeleteFileA's stand-in: the thread ends at deletion cutAt, as its
   process would; with cutAt 0, every deletion keeps the file's name taken,
   as Windows does while another program has the file open, until the test
   lets go. */
IMPORT_SLOT(DeleteFileA, 4);
static decltype(&DeleteFileA) systemDelete;
static int deletions, cutAt;
static std::vector<std::string> lingering;
static BOOL WINAPI CutOrLingeringDelete(LPCSTR path)
{
    if (!cutAt)
        lingering.push_back(path);
    else if (++deletions == cutAt)
        ExitThread(0);
    return !cutAt || systemDelete(path);
}
/* Runs work on a thread of its own with that stand-in in place; its result,
   or 0 when it was ended. */
static DWORD RunCut(LPTHREAD_START_ROUTINE work)
{
    DWORD result = 0;
    deletions = 0;
    ImportSwap deletes(DeleteFileASlot, CutOrLingeringDelete, &systemDelete);
    HANDLE run = CreateThread(NULL, 0, work, NULL, 0, NULL);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(run, 20000));
    GetExitCodeThread(run, &result);
    CloseHandle(run);
    return result;
}
static DWORD WINAPI TakeBackThread(LPVOID)
{
    return (DWORD)TakeBackFailedInstall(NULL);
}

/* Renamed aside before they are deleted, the new files keep no original
   out; a take-back cut short at any deletion and run again, knowing only
   the record, puts every original back, and leaves nothing else. */
TEST_F(TakeBack, ATakeBackWithLingeringNamesOrCutShortPutsEveryOriginalBack)
{
    DWORD completed = 0;
    for (cutAt = 0; cutAt < 20 && !(cutAt > 1 && completed); cutAt++) {
        SCOPED_TRACE(cutAt ? "ended at deletion " + std::to_string(cutAt) : "lingering names");
        UseFolder(parent / std::to_string(cutAt));
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), NULL));
        for (const char *name : placedNames)
            ASSERT_TRUE(WriteFileBytes(File(name), std::string("earlier ") + name));
        const std::map<std::string, std::string> earlier = Files();
        /* Another program has the read-me open: the run stops there. */
        ASSERT_NO_FATAL_FAILURE(Hold("readme.htm", FILE_SHARE_READ));
        BoxWatch watch;
        ASSERT_EQ(0, InstallAll(NULL));
        completed = RunCut(TakeBackThread);
        for (const char *name : placedNames)
            EXPECT_TRUE(cutAt || earlier.at(name) == Files()[name]) << name;
        for (const std::string &path : lingering)
            DeleteFileA(path.c_str());
        lingering.clear();
        ForgetPriorState();
        EXPECT_EQ(1, TakeBackFailedInstall(NULL));
        Release();
        EXPECT_EQ(earlier, Files());
    }
    EXPECT_EQ(1u, completed) << "a take-back that ran to its end";
}

static DWORD WINAPI InstallThread(LPVOID)
{
    return (DWORD)InstallAll(NULL);
}

/* An installation over an earlier one ended at any of its deletions, then
   taken back by the next start that knows only the record: the placed files
   are the earlier installation or the new one, whole, never a mix, and no
   kept copy and no record are left. So too when that start is the uninstall
   of the NMZAV.EXE there, running, whose original it cannot put back and
   lets go, as the uninstall removes it anyway. */
TEST_F(TakeBack, AnInstallationEndedAtAnyDeletionIsWholeAfterTheNextStart)
{
    DWORD completed = 0;
    for (cutAt = 1; cutAt < 40 && !completed; cutAt++)
        for (int uninstalling = 0; uninstalling < 2; uninstalling++) {
            SCOPED_TRACE("ended at deletion " + std::to_string(cutAt) +
                         (uninstalling ? ", then the uninstall" : ""));
            UseFolder(parent / (std::to_string(cutAt) + (uninstalling ? "u" : "")));
            ASSERT_TRUE(CreateDirectoryA(folder.c_str(), NULL));
            for (const char *name : placedNames)
                ASSERT_TRUE(WriteFileBytes(File(name), std::string("earlier ") + name));
            const std::map<std::string, std::string> earlier = Files();
            BoxWatch watch;
            completed = RunCut(InstallThread);
            ForgetPriorState();
            uninstallMode = uninstalling;
            if (uninstalling && FileExists(File("NMZAV.EXE")))
                ASSERT_NO_FATAL_FAILURE(Hold("NMZAV.EXE", FILE_SHARE_READ));
            EXPECT_EQ(1, TakeBackFailedInstall(NULL));
            uninstallMode = 0;
            Release();
            std::map<std::string, std::string> files = Files();
            size_t kept = 0;
            for (const char *name : placedNames)
                kept += earlier.at(name) == files[name];
            EXPECT_TRUE(uninstalling || kept == 0 || kept == 9) << kept << " of 9 back";
            files.erase("UNINSTALL.DAT");
            EXPECT_EQ(9u, files.size()) << "only the placed files";
        }
    EXPECT_EQ(1u, completed) << "an installation that ran to its end";
}
