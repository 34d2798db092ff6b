/* Version comparison and the browser check against the real registry. */
#include "app/BrowserVersion.h"
#include "app/Globals.h"
#include "BoxWatch.h"
#include "Sandbox.h"
#include <gtest/gtest.h>
#include <string>

TEST(IsVersionBelow, AgainstTheLowestAcceptedBrowser)
{
    struct Case {
        const char *version;
        bool below;
    } cases[] = {
        {"4.72.2106.8", false},     {"4.72.3110.8", false},   {"5.50.4134.0600", false},
        {"6.0.2900.2180", false},   {"9.11.9600.18537", false}, {"11.0.9600.18537", false},
        {"9.11.9600.18376", false}, {"4.72.2106", true},      {"4.72.2106.7", true},
        {"4.71.1712.6", true},      {"", true},               {"4..72.2106.8", false},
        {".4.72.2106.8.", false},   {"4.72.x.8", true},       {"4.99999999999.0.0", false},
        {"99999999999", false},     {" 5.0.0.0", false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.below, IsVersionBelow(c.version, 4, 72, 2106, 8) != 0) << c.version;
}

TEST(IsVersionBelow, AgainstVersionFive)
{
    EXPECT_FALSE(IsVersionBelow("5.0.0.0", 5, 0, 0, 0));
    EXPECT_FALSE(IsVersionBelow("5.00.2614.3500", 5, 0, 0, 0));
    EXPECT_TRUE(IsVersionBelow("5", 5, 0, 0, 0));
    EXPECT_TRUE(IsVersionBelow("4.72.3110.8", 5, 0, 0, 0));
}

static const char *BrowserKey = "SOFTWARE\\Microsoft\\Internet Explorer";

TEST(IsBrowserTooOld, AcceptsWinesOwnVersionWithoutAMessage)
{
    std::string winesVersion = RegText(HKEY_LOCAL_MACHINE, BrowserKey, "Version");
    ASSERT_NE("<absent>", winesVersion);
    BoxWatch watch;
    EXPECT_FALSE(IsBrowserTooOld(NULL));
    EXPECT_EQ(winesVersion, browserVersion);
    EXPECT_TRUE(watch.boxes.empty());
}

TEST(IsBrowserTooOld, RefusesMissingOldOrOverlongVersionsWithItsMessage)
{
    struct Case {
        const char *version; /* NULL: no value */
        bool tooOld;
    } cases[] = {
        {NULL, true},
        {"4.71.1712.6", true},
        {"4.72.2106.8", false},
        {"11.0.9600.18537", false},
        {"1234567890.1234567890.1234567890.1234567890.1234567890.1234567890.1", true},
    };
    for (const Case &c : cases) {
        RegistrySandbox registry;
        if (c.version)
            SeedText(HKEY_LOCAL_MACHINE, BrowserKey, "Version", c.version);
        BoxWatch watch;
        EXPECT_EQ(c.tooOld, IsBrowserTooOld(NULL) != 0) << (c.version ? c.version : "none");
        EXPECT_EQ('\0', browserVersion[BROWSER_VERSION_SIZE - 1]);
        if (c.tooOld) {
            ASSERT_EQ(1u, watch.boxes.size());
            EXPECT_EQ("Nimbrella ZAV Installation Error", watch.boxes[0].caption);
            EXPECT_EQ("Microsoft Internet Explorer 4.01+ required", watch.boxes[0].text);
        } else {
            EXPECT_TRUE(watch.boxes.empty());
        }
    }
}

TEST(IsBrowserTooOld, KeepsTheVersionTerminatedWhenStoredWithoutTerminator)
{
    RegistrySandbox registry;
    HKEY key;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, BrowserKey, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL);
    RegSetValueExA(key, "Version", 0, REG_SZ, (const BYTE *)"6.0.2900.2180", 13);
    RegCloseKey(key);
    memset(browserVersion, 'x', sizeof browserVersion);
    EXPECT_FALSE(IsBrowserTooOld(NULL));
    EXPECT_STREQ("6.0.2900.2180", browserVersion);
}
