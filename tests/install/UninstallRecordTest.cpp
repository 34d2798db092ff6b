/* The uninstall entry, the removal lines and UNINSTALL.DAT, on the real
   registry (sandboxed) and real files; removal lines are also run by cmd. */
#include "install/UninstallRecord.h"
#include "install/RemovalPath.h"
#include "app/Globals.h"
#include "app/Report.h"
#include "app/Text.h"
#include "BoxWatch.h"
#include "Sandbox.h"
#include "SystemText.h"
#include <gtest/gtest.h>
#include <string>

static const std::string CannotCreateText =
    "Cannot create uninstall info. Maybe, you have not enough permissions on this computer.\n\n"
    "It will be impossible to uninstall Nimbrella ZAV through the Control Panel. However, you "
    "can uninstall it with help of the \"Start Menu\\Programs\\Nimbrella ZAV\\Uninstall "
    "Nimbrella ZAV\" command or by calling \"nmzav.exe /U\".\n\nThe system error message:\n";

/* A registry value's type and bytes, or type REG_NONE when absent. */
struct RawValue {
    DWORD type = REG_NONE;
    std::string bytes;
};

static RawValue ReadRawValue(HKEY root, const char *path, const char *name)
{
    RawValue value;
    HKEY key;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return value;
    char data[1024];
    DWORD size = sizeof data;
    if (RegQueryValueExA(key, name, NULL, &value.type, (BYTE *)data, &size) == ERROR_SUCCESS)
        value.bytes.assign(data, size);
    RegCloseKey(key);
    return value;
}

static std::string RemovalLine(const char *verb, const std::string &path)
{
    return std::string(verb) + " " + ShortPath(path) + "\r\n";
}

class UninstallRecordTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved = installSettings;
        EmptyUninstallScript();
    }
    void TearDown() override
    {
        installSettings = saved;
        EmptyUninstallScript();
    }
    void UseInstallFolder(const std::string &folder)
    {
        ASSERT_TRUE(CopyText(installSettings.installFolder, MAX_PATH, folder.c_str()));
    }
    std::string MakeFolder(const std::string &path)
    {
        CreateDirectoryA(path.c_str(), NULL);
        return path;
    }
    std::string MakeFile(const std::string &path)
    {
        WriteFileBytes(path, "x");
        return path;
    }
    RegistrySandbox registry;
    ScratchFolder scratch{"uninstall"};
    InstallSettings saved;
};

TEST_F(UninstallRecordTest, EntryHoldsNameAndQuotedCommandCountedWithoutTerminator)
{
    std::string folder = scratch / "Program Files" + "\\NimbrellaZAV";
    UseInstallFolder(folder);
    SeedText(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, "DisplayName", "Nimbrella ZAV 1.0");
    SeedText(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, "UninstallString", "C:\\OLD\\NMZAV.EXE /U");
    BoxWatch watch;
    WriteUninstallKey(NULL);
    EXPECT_TRUE(watch.boxes.empty());

    std::string command = "\"" + folder + "\\NMZAV.EXE\" /U";
    struct Expected {
        const char *name;
        std::string text;
    } values[] = {{"DisplayName", "Nimbrella Zavex Add-on 2.007"}, {"UninstallString", command}};
    for (const Expected &v : values) {
        /* The system stores a REG_SZ counted without its zero with the zero
           added: one more byte than the count passed, never more. */
        RawValue value = ReadRawValue(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, v.name);
        EXPECT_EQ((DWORD)REG_SZ, value.type) << v.name;
        EXPECT_EQ(v.text + std::string(1, '\0'), value.bytes) << v.name;
    }
}

TEST_F(UninstallRecordTest, FolderTooLongForTheCommandIsRefusedNotCut)
{
    /* NMZAV.EXE in a folder of 249 characters is a 259-character path, the
       longest there is; one more character and the entry is refused whole. */
    struct Case {
        size_t folderLength;
        bool written;
    } cases[] = {{249, true}, {250, false}};
    for (const Case &c : cases) {
        std::string folder = "C:\\" + std::string(c.folderLength - 3, 'f');
        UseInstallFolder(folder);
        BoxWatch watch;
        WriteUninstallKey(NULL);
        if (c.written) {
            EXPECT_TRUE(watch.boxes.empty());
            EXPECT_EQ("\"" + folder + "\\NMZAV.EXE\" /U",
                      RegText(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, "UninstallString"));
        } else {
            ASSERT_EQ(1u, watch.boxes.size());
            EXPECT_EQ(CannotCreateText + SystemText(ERROR_FILENAME_EXCED_RANGE),
                      watch.boxes[0].text);
            EXPECT_EQ("Nimbrella ZAV Installation Info", watch.boxes[0].caption);
            EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, UNINSTALL_KEY));
        }
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, UNINSTALL_KEY);
    }
}

TEST_F(UninstallRecordTest, EntryThatCannotBeWrittenIsReportedWithTheSystemsReason)
{
    UseInstallFolder(scratch.path);
    MakeKeyReadOnly(HKEY_LOCAL_MACHINE, UNINSTALL_KEY);
    BoxWatch watch;
    WriteUninstallKey(NULL);
    ASSERT_EQ(1u, watch.boxes.size());
    EXPECT_EQ("Nimbrella ZAV Installation Info", watch.boxes[0].caption);
    EXPECT_EQ(CannotCreateText + SystemText(ERROR_ACCESS_DENIED), watch.boxes[0].text);
    EXPECT_EQ("<absent>", RegText(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, "DisplayName"));
}

TEST_F(UninstallRecordTest, RemovingTheEntry)
{
    enum Seed { Absent, Present, WithSubkey };
    struct Case {
        Seed seed;
        int result;
        bool message;
    } cases[] = {{Absent, 1, false}, {Present, 1, false}, {WithSubkey, 0, true}};
    for (const Case &c : cases) {
        if (c.seed != Absent)
            SeedText(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, "DisplayName", "Nimbrella ZAV");
        if (c.seed == WithSubkey)
            SeedText(HKEY_LOCAL_MACHINE, UNINSTALL_KEY "\\Child", "", "x");
        BoxWatch watch;
        EXPECT_EQ(c.result, RemoveUninstallKey(NULL)) << c.seed;
        EXPECT_EQ(c.seed == WithSubkey, KeyExists(HKEY_LOCAL_MACHINE, UNINSTALL_KEY)) << c.seed;
        ASSERT_EQ(c.message ? 1u : 0u, watch.boxes.size()) << c.seed;
        if (c.message) {
            EXPECT_EQ("Cannot uninstall Nimbrella ZAV: it's impossible to delete Uninstall "
                      "Info.\nMaybe, you have not enough permissions on this computer.",
                      watch.boxes[0].text);
            EXPECT_EQ("Nimbrella ZAV Info", watch.boxes[0].caption);
        }
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, UNINSTALL_KEY "\\Child");
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, UNINSTALL_KEY);
    }
}

TEST_F(UninstallRecordTest, WithoutShortcutsTheFileDeletesOnlyItselfAndReplacesAnOldOne)
{
    UseInstallFolder(scratch.path);
    std::string data = scratch / "UNINSTALL.DAT";
    ASSERT_TRUE(WriteFileBytes(data, std::string(3000, 'o')));
    BoxWatch watch;
    WriteUninstallData(NULL);
    EXPECT_TRUE(watch.boxes.empty());
    EXPECT_EQ(RemovalLine("del", data), ReadFileBytes(data));
}

TEST_F(UninstallRecordTest, LinesKeepTheirOrderWhenAShortcutFailedBetween)
{
    std::string install = MakeFolder(MakeFolder(scratch / "Program Files") + "\\NimbrellaZAV");
    std::string desktopLink = MakeFile(MakeFolder(scratch / "Desktop") + "\\Nimbrella ZAV.lnk");
    std::string menu = MakeFolder(MakeFolder(scratch / "Programs") + "\\Nimbrella ZAV");
    std::string first = MakeFile(menu + "\\Nimbrella ZAV Options.lnk");
    std::string second = MakeFile(menu + "\\Nimbrella Start Page.lnk");
    UseInstallFolder(install);
    AppendUninstallLine("del", desktopLink.c_str());
    AppendUninstallLine("del", first.c_str());
    AppendUninstallLine("del", second.c_str());
    AppendUninstallLine("rmdir", menu.c_str());
    BoxWatch watch;
    WriteUninstallData(NULL);
    EXPECT_TRUE(watch.boxes.empty());

    std::string expected = RemovalLine("del", desktopLink) + RemovalLine("del", first) +
                           RemovalLine("del", second) + RemovalLine("rmdir", menu) +
                           RemovalLine("del", install + "\\UNINSTALL.DAT");
    EXPECT_EQ(std::string::npos, expected.find('"')) << "short forms need no quotes";
    EXPECT_EQ(expected, ReadFileBytes(install + "\\UNINSTALL.DAT"));
}

TEST_F(UninstallRecordTest, FileIsWrittenInTheOemCodePage)
{
    if (GetACP() != 1252 || (GetOEMCP() != 437 && GetOEMCP() != 850))
        GTEST_SKIP() << "code pages " << GetACP() << "/" << GetOEMCP();
    /* Wine's short names replace the letter, so the line of a path that does
       not exist (kept in its long form) carries it. */
    UseInstallFolder(scratch.path);
    AppendUninstallLine("del", "C:\\missing\\Caf\xE9.lnk");
    WriteUninstallData(NULL);
    EXPECT_EQ("del C:\\missing\\Caf\x82.lnk\r\n" + RemovalLine("del", scratch / "UNINSTALL.DAT"),
              ReadFileBytes(scratch / "UNINSTALL.DAT"));
}

TEST_F(UninstallRecordTest, ScriptGrowsByWholeLinesBeyondItsFirstSize)
{
    UseInstallFolder(scratch.path);
    std::string expected;
    for (int i = 0; i < 60; i++) {
        /* Paths that do not exist keep their long form: about 200 bytes a line. */
        std::string path = "C:\\missing\\" + std::string(180, 'a' + i % 26) + std::to_string(i);
        ASSERT_EQ(1, AppendUninstallLine("del", path.c_str()));
        expected += "del " + path + "\r\n";
    }
    ASSERT_EQ(1, AppendUninstallLine("rmdir", ""));
    WriteUninstallData(NULL);
    expected += RemovalLine("del", scratch / "UNINSTALL.DAT");
    EXPECT_EQ(expected, ReadFileBytes(scratch / "UNINSTALL.DAT"));
}

TEST_F(UninstallRecordTest, LineThatCannotBeAddedIsReportedWhenTheFileIsWritten)
{
    UseInstallFolder(scratch.path);
    std::string tooLong = "C:\\" + std::string(600, 'z');
    SetLastError(0);
    EXPECT_EQ(0, AppendUninstallLine("del", tooLong.c_str()));
    EXPECT_EQ((DWORD)ERROR_FILENAME_EXCED_RANGE, GetLastError());
    BoxWatch watch;
    WriteUninstallData(NULL);
    ASSERT_EQ(1u, watch.boxes.size());
    EXPECT_EQ(CannotCreateText + SystemText(ERROR_FILENAME_EXCED_RANGE), watch.boxes[0].text);
    EXPECT_EQ(RemovalLine("del", scratch / "UNINSTALL.DAT"),
              ReadFileBytes(scratch / "UNINSTALL.DAT"));
}

TEST_F(UninstallRecordTest, FileThatCannotBeCreatedIsReported)
{
    UseInstallFolder(scratch / "missing folder");
    BoxWatch watch;
    WriteUninstallData(NULL);
    ASSERT_EQ(1u, watch.boxes.size());
    EXPECT_EQ(CannotCreateText + SystemText(ERROR_PATH_NOT_FOUND), watch.boxes[0].text);
    EXPECT_EQ("Nimbrella ZAV Installation Info", watch.boxes[0].caption);
}

TEST(FormatRemovalPath, ShortFormBareLongFormQuotedWhenCmdWouldMisreadIt)
{
    ScratchFolder scratch("removalpath");
    std::string existing = scratch / "Nimbrella ZAV.lnk";
    WriteFileBytes(existing, "x");
    std::string odd = scratch / "50%&b";
    WriteFileBytes(odd, "x");
    std::string oddShort = ShortPath(odd);
    std::string oddQuoted = "\"";
    for (char c : oddShort)
        oddQuoted += (c == '%') ? std::string("%%") : std::string(1, c);
    oddQuoted += "\"";
    struct Case {
        std::string path;
        std::string expected;
    } cases[] = {
        {existing, ShortPath(existing)},
        {"C:\\missing\\plain.lnk", "C:\\missing\\plain.lnk"},
        {"C:\\Users\\Ann\\Desktop\\Nimbrella ZAV.lnk",
         "\"C:\\Users\\Ann\\Desktop\\Nimbrella ZAV.lnk\""},
        {"C:\\missing\\100% & (a),b;c=d^e|f<g>h", "\"C:\\missing\\100%% & (a),b;c=d^e|f<g>h\""},
        {odd, oddQuoted},
    };
    for (const Case &c : cases) {
        char out[REMOVAL_PATH_SIZE];
        ASSERT_EQ(1, FormatRemovalPath(out, sizeof out, c.path.c_str())) << c.path;
        EXPECT_EQ(c.expected, out) << c.path;
    }
}

TEST(FormatRemovalPath, RefusesWhatDoesNotFitAndLeavesTheBufferAlone)
{
    struct Case {
        const char *path;
        size_t size;
    } cases[] = {{"C:\\missing\\abc", 14}, {"C:\\missing\\a b", 16}, {"C:\\missing\\5%", 16}};
    for (const Case &c : cases) {
        char out[32];
        memset(out, 0xbd, sizeof out);
        SetLastError(0);
        EXPECT_EQ(0, FormatRemovalPath(out, c.size, c.path)) << c.path;
        EXPECT_EQ((DWORD)ERROR_FILENAME_EXCED_RANGE, GetLastError()) << c.path;
        EXPECT_EQ('\xbd', out[0]) << c.path;
        EXPECT_EQ(1, FormatRemovalPath(out, c.size + 1, c.path)) << c.path;
    }
}

/* Characters of code page 1252 that the OEM code page lacks come out there as
   others that cmd reads (curly quotes as ", single angle quotes as < and >,
   the modifier circumflex as ^, the low quote as a comma), the no-break space
   as 0xFF, which cmd takes for a blank: a path with one is refused, blank or
   quoted, whereas one that comes back the same is written. */
TEST(FormatRemovalPath, RefusesAPathThatCmdWouldReadOtherwiseInTheOemCodePage)
{
    if (GetACP() != 1252)
        GTEST_SKIP() << "the characters are those of code page 1252";
    const char *refused[] = {"C:\\missing\\a\x93 & calc & \x94" "b", "C:\\missing\\a\x8B" "b",
                             "C:\\missing\\a\x9B" "b", "C:\\missing\\a\x88" "b",
                             "C:\\missing\\a\x82" "b", "C:\\missing\\a\xA0" "b"};
    for (const char *path : refused) {
        char out[REMOVAL_PATH_SIZE];
        memset(out, 0xbd, sizeof out);
        SetLastError(0);
        EXPECT_EQ(0, FormatRemovalPath(out, sizeof out, path)) << path;
        EXPECT_EQ((DWORD)ERROR_INVALID_NAME, GetLastError()) << path;
        EXPECT_EQ('\xbd', out[0]) << path;
    }
    char out[REMOVAL_PATH_SIZE];
    ASSERT_EQ(1, FormatRemovalPath(out, sizeof out, "C:\\missing\\caf\xE9 \xE0"));
    EXPECT_STREQ("\"C:\\missing\\caf\xE9 \xE0\"", out);
}

/* Runs a batch file through cmd and waits for it, at most 30 seconds. */
static bool RunBatch(const std::string &batch)
{
    std::string command = "cmd.exe /c \"" + batch + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(NULL, &command[0], NULL, NULL, FALSE, CREATE_NO_WINDOW, NULL, NULL,
                        &startup, &process))
        return false;
    bool ended = WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return ended;
}

TEST(FormatRemovalPath, CmdDeletesExactlyTheLongPathItWasGiven)
{
    /* Each path is formatted before it exists, so it keeps its long form, as
       on a volume without short names; the neighbours are what a misread
       line would delete instead. */
    ScratchFolder scratch("removalcmd");
    const char *names[] = {"Nimbrella ZAV.lnk", "a&b.lnk", "100%.lnk", "x(1),y;z=w^v.lnk"};
    const char *neighbours[] = {"Nimbrella", "ZAV.lnk", "a", "b.lnk", "100", "x(1)"};
    std::string script;
    for (const char *name : names) {
        char out[REMOVAL_PATH_SIZE];
        ASSERT_EQ(1, FormatRemovalPath(out, sizeof out, (scratch / name).c_str()));
        script += std::string("del ") + out + "\r\n";
    }
    for (const char *name : names)
        ASSERT_TRUE(WriteFileBytes(scratch / name, "x")) << name;
    for (const char *name : neighbours)
        WriteFileBytes(scratch / name, "x");
    ASSERT_TRUE(WriteFileBytes(scratch / "remove.bat", script));
    ASSERT_TRUE(RunBatch(scratch / "remove.bat"));
    for (const char *name : names)
        EXPECT_FALSE(FileExists(scratch / name)) << name;
    for (const char *name : neighbours)
        EXPECT_TRUE(FileExists(scratch / name)) << name;
}
