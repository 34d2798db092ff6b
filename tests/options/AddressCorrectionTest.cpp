/* Web address correction on the real (sandboxed) registry: which values count
   as the program's own, what each switch writes and leaves alone, and what
   the user is told. */
#include "options/AddressCorrection.h"
#include "app/Globals.h"
#include "BoxWatch.h"
#include "Hosts.h"
#include "Sandbox.h"
#include <gtest/gtest.h>
#include <string>

static const std::string Service = NIMBRELLA_BASE "/nm.pl?~GZ/";
static const std::string LegacyNm = NIMBRELLA_LEGACY_BASE "/nm.pl?~GZ/";
static const std::string LegacyOrx = NIMBRELLA_LEGACY_BASE "/orx.pl?~GZ/";
static const char Foreign[] = "http://other.example/fetch?u=";

static const char DefaultKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\URL\\DefaultPrefix";
static const char PrefixesKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\URL\\Prefixes";

static std::string Upper(std::string text)
{
    for (char &c : text)
        c = (char)toupper((unsigned char)c);
    return text;
}

/* Stores exactly these bytes, whatever they hold. */
static void SeedBytes(const char *path, const char *name, const std::string &bytes)
{
    HKEY key;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL);
    RegSetValueExA(key, name, 0, REG_SZ, (const BYTE *)bytes.data(), (DWORD)bytes.size());
    RegCloseKey(key);
}

static std::string SwitchFailedText(const char *verb)
{
    return std::string("Nimbrella ZAV cannot ") + verb +
           " Web address correction. Maybe, you have not enough permissions on this computer.";
}

class AddressCorrectionTest : public ::testing::Test {
protected:
    void SetUp() override { savedMode = uninstallMode; }
    void TearDown() override { uninstallMode = savedMode; }
    void SeedDefault(const std::string &text)
    {
        SeedText(HKEY_LOCAL_MACHINE, DefaultKey, "", text.c_str());
    }
    void SeedPrefix(const char *name, const std::string &text)
    {
        SeedText(HKEY_LOCAL_MACHINE, PrefixesKey, name, text.c_str());
    }
    std::string Default() { return RegText(HKEY_LOCAL_MACHINE, DefaultKey, ""); }
    std::string Prefix(const char *name) { return RegText(HKEY_LOCAL_MACHINE, PrefixesKey, name); }
    /* The browser's usual entries, plus a foreign one and one of each own prefix. */
    void SeedUsualPrefixes()
    {
        SeedPrefix("ftp", "ftp://");
        SeedPrefix("gopher", "gopher://");
        SeedPrefix("home", "http://");
        SeedPrefix("mosaic", "HTTP://");
        SeedPrefix("www", "http://");
        SeedPrefix("news", Foreign);
        SeedPrefix("nm", LegacyNm);
        SeedPrefix("orx", LegacyOrx);
    }
    void ExpectUsualPrefixesSwitchedTo(const std::string &prefix)
    {
        EXPECT_EQ("ftp://", Prefix("ftp"));
        EXPECT_EQ("gopher://", Prefix("gopher"));
        EXPECT_EQ(Foreign, Prefix("news"));
        const char *switched[] = {"home", "mosaic", "www", "nm", "orx"};
        for (const char *name : switched)
            EXPECT_EQ(prefix, Prefix(name)) << name;
    }
    RegistrySandbox registry;
    int savedMode;
};

TEST_F(AddressCorrectionTest, OnlyTheWholeTextOfAnOwnPrefixInTheDefaultCountsAsOn)
{
    struct Case {
        std::string bytes; /* "<none>": no default value */
        bool on;
    } cases[] = {
        {"<none>", false},
        {"", false},
        {"http://", false},
        {"HTTP://", false},
        {Service, true},
        {Upper(Service), true},
        {LegacyNm, true},
        {LegacyOrx, true},
        {Service + " ", false},
        {" " + Service, false},
        {Service + "x", false},
        {Service.substr(0, Service.size() - 1), false},
        {Service + std::string(1, '\0') + "after the zero", true},
        {Service + std::string(300, 'x'), false},
        {Foreign, false},
    };
    EXPECT_FALSE(QueryAddressCorrection(false)) << "no key at all";
    for (const Case &c : cases) {
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, DefaultKey);
        if (c.bytes != "<none>")
            SeedBytes(DefaultKey, "", c.bytes);
        else
            SeedText(HKEY_LOCAL_MACHINE, DefaultKey, "unrelated", "x");
        EXPECT_EQ(c.on, QueryAddressCorrection(false)) << c.bytes;
        EXPECT_EQ(c.on, QueryAddressCorrection(true)) << c.bytes;
    }
}

TEST_F(AddressCorrectionTest, TurningOnRewritesThePlainPrefixesAndLeavesForeignOnes)
{
    const char *defaults[] = {"http://", "HTTP://"};
    for (const char *initial : defaults) {
        SeedDefault(initial);
        SeedUsualPrefixes();
        BoxWatch watch;
        SetLastError(0xdeadbeef);
        EXPECT_TRUE(SwitchAddressCorrection(NULL, true)) << initial;
        EXPECT_EQ(0u, GetLastError());
        EXPECT_TRUE(watch.boxes.empty());
        EXPECT_EQ(Service, Default());
        ExpectUsualPrefixesSwitchedTo(Service);
        EXPECT_TRUE(QueryAddressCorrection(false)) << "reads back what it wrote";
    }

    /* On already: nothing is read or written, the last error is left alone. */
    SeedPrefix("www", "http://");
    SetLastError(0xdeadbeef);
    EXPECT_TRUE(SwitchAddressCorrection(NULL, true));
    EXPECT_EQ(0xdeadbeefu, GetLastError());
    EXPECT_EQ("http://", Prefix("www"));
}

TEST_F(AddressCorrectionTest, TurningOffPutsThePlainPrefixBackFromEveryOwnPrefix)
{
    std::string initials[] = {Service, LegacyNm, Upper(LegacyOrx)};
    for (const std::string &initial : initials) {
        SeedDefault(initial);
        SeedUsualPrefixes();
        SeedPrefix("service", Service);
        BoxWatch watch;
        SetLastError(0xdeadbeef);
        EXPECT_TRUE(SwitchAddressCorrection(NULL, false)) << initial;
        EXPECT_EQ(0u, GetLastError());
        EXPECT_TRUE(watch.boxes.empty());
        EXPECT_EQ("http://", Default());
        ExpectUsualPrefixesSwitchedTo("http://");
        EXPECT_EQ("http://", Prefix("service"));
        EXPECT_FALSE(QueryAddressCorrection(true));
    }
}

TEST_F(AddressCorrectionTest, LegacyPrefixCountsAsOnSoTurningOnWritesNothing)
{
    std::string legacies[] = {LegacyNm, LegacyOrx};
    for (const std::string &legacy : legacies) {
        SeedDefault(legacy);
        SeedPrefix("www", "http://");
        EXPECT_TRUE(QueryAddressCorrection(false));
        EXPECT_TRUE(SwitchAddressCorrection(NULL, true));
        EXPECT_EQ(legacy, Default());
        EXPECT_EQ("http://", Prefix("www"));
    }
}

TEST_F(AddressCorrectionTest, ForeignDefaultIsRefusedQuotedAndNeverTouched)
{
    SeedDefault(Foreign);
    SeedPrefix("www", "http://");
    BoxWatch watch;
    EXPECT_FALSE(SwitchAddressCorrection(NULL, true));
    ASSERT_EQ(1u, watch.boxes.size());
    EXPECT_EQ(std::string("Nimbrella ZAV cannot enable Web address correction:\nthe prefix "
                          "automatically added to an URL is other than \"http://\" (now it is \"") +
                  Foreign +
                  "\").\nMaybe, the Web address correction technique is already used by "
                  "another software.",
              watch.boxes[0].text);
    EXPECT_EQ("Nimbrella ZAV Info", watch.boxes[0].caption);
    EXPECT_TRUE(watch.boxes[0].informationIcon);

    EXPECT_TRUE(SwitchAddressCorrection(NULL, false));
    EXPECT_EQ(1u, watch.boxes.size());
    EXPECT_EQ(Foreign, Default());
    EXPECT_EQ("http://", Prefix("www"));
}

TEST_F(AddressCorrectionTest, MissingDefaultIsOffAndCannotBeTurnedOn)
{
    SeedPrefix("www", "http://");
    SeedText(HKEY_LOCAL_MACHINE, DefaultKey, "unrelated", "x");
    EXPECT_FALSE(QueryAddressCorrection(false));
    BoxWatch watch;
    SetLastError(0xdeadbeef);
    EXPECT_TRUE(SwitchAddressCorrection(NULL, false));
    EXPECT_EQ(0xdeadbeefu, GetLastError());
    EXPECT_TRUE(watch.boxes.empty());

    EXPECT_FALSE(SwitchAddressCorrection(NULL, true));
    EXPECT_EQ(0u, GetLastError());
    ASSERT_EQ(1u, watch.boxes.size());
    EXPECT_EQ(SwitchFailedText("enable"), watch.boxes[0].text);
    EXPECT_EQ("Nimbrella ZAV Info", watch.boxes[0].caption);
    EXPECT_EQ("http://", Prefix("www"));
}

TEST_F(AddressCorrectionTest, PrefixNameOf32CharactersEndsTheScanWithAFailure)
{
    /* 31 characters and its terminator fill the name buffer; 32 do not fit. */
    std::string fits(31, 'f');
    std::string tooLong(32, 'l');
    SeedDefault("http://");
    SeedPrefix(fits.c_str(), "http://");
    EXPECT_TRUE(SwitchAddressCorrection(NULL, true));
    EXPECT_EQ(Service, Prefix(fits.c_str()));

    SeedDefault("http://");
    SeedPrefix(tooLong.c_str(), "http://");
    BoxWatch watch;
    EXPECT_FALSE(SwitchAddressCorrection(NULL, true));
    ASSERT_EQ(1u, watch.boxes.size());
    EXPECT_EQ(SwitchFailedText("enable"), watch.boxes[0].text);
    EXPECT_EQ(Service, Default()) << "what was written before the failure stays";

    struct Case {
        int mode;
        size_t boxes;
    } cases[] = {{0, 1}, {1, 2}};
    for (const Case &c : cases) {
        uninstallMode = c.mode;
        SeedDefault(Service);
        SetLastError(0xdeadbeef);
        EXPECT_FALSE(RestoreDefaultPrefixes(NULL)) << c.mode;
        EXPECT_EQ(0u, GetLastError());
        ASSERT_EQ(c.boxes, watch.boxes.size()) << c.mode;
        EXPECT_EQ("http://", Default());
    }
    EXPECT_EQ("Cannot uninstall Nimbrella ZAV:\nit's impossible to disable Web address "
              "correction. Maybe, you have not enough permissions on this computer.",
              watch.boxes[1].text);
    EXPECT_EQ("Nimbrella ZAV Info", watch.boxes[1].caption);
}

TEST_F(AddressCorrectionTest, ResetFindsTheServicePrefixUnderPrefixesAlone)
{
    SeedDefault("http://");
    SeedPrefix("ftp", "ftp://");
    SeedPrefix("news", Foreign);
    SeedPrefix("www", Service);
    EXPECT_FALSE(QueryAddressCorrection(false));
    EXPECT_TRUE(QueryAddressCorrection(true));
    uninstallMode = 1;
    BoxWatch watch;
    SetLastError(0xdeadbeef);
    EXPECT_TRUE(RestoreDefaultPrefixes(NULL));
    EXPECT_EQ(0u, GetLastError());
    EXPECT_TRUE(watch.boxes.empty());
    EXPECT_EQ("http://", Prefix("www"));
    EXPECT_EQ("ftp://", Prefix("ftp"));
    EXPECT_EQ(Foreign, Prefix("news"));
    EXPECT_EQ("http://", Default());

    /* Nothing of its own left: the reset returns at once. */
    SetLastError(0xdeadbeef);
    EXPECT_TRUE(RestoreDefaultPrefixes(NULL));
    EXPECT_EQ(0xdeadbeefu, GetLastError());
}

TEST_F(AddressCorrectionTest, KeyThatCannotBeWrittenFailsTheSwitchAndTheReset)
{
    SeedDefault("http://");
    SeedPrefix("www", "http://");
    MakeKeyReadOnly(HKEY_LOCAL_MACHINE, DefaultKey);
    BoxWatch watch;
    SetLastError(0xdeadbeef);
    EXPECT_FALSE(SwitchAddressCorrection(NULL, true));
    EXPECT_EQ(0u, GetLastError());
    ASSERT_EQ(1u, watch.boxes.size());
    EXPECT_EQ(SwitchFailedText("enable"), watch.boxes[0].text);
    EXPECT_EQ("http://", Prefix("www"));

    /* The reset goes on to Prefixes even though the default failed. */
    struct Case {
        int mode;
        size_t boxes;
    } cases[] = {{0, 1}, {1, 2}};
    for (const Case &c : cases) {
        uninstallMode = c.mode;
        SeedPrefix("www", Service);
        EXPECT_FALSE(RestoreDefaultPrefixes(NULL)) << c.mode;
        EXPECT_EQ(0u, GetLastError());
        EXPECT_EQ(c.boxes, watch.boxes.size()) << c.mode;
        EXPECT_EQ("http://", Prefix("www")) << c.mode;
    }
}

TEST_F(AddressCorrectionTest, TurningOffReportsAKeyThatCannotBeWritten)
{
    SeedDefault(Service);
    MakeKeyReadOnly(HKEY_LOCAL_MACHINE, DefaultKey);
    BoxWatch watch;
    EXPECT_FALSE(SwitchAddressCorrection(NULL, false));
    ASSERT_EQ(1u, watch.boxes.size());
    EXPECT_EQ(SwitchFailedText("disable"), watch.boxes[0].text);
    EXPECT_EQ(Service, Default());
}
