/* The eight files the program installs: each one extracted is its source file
   byte for byte, the pages are plain ASCII with CR LF line ends, and the script
   pages are one VBScript element each. */
#include "Carried.h"
#include "Hosts.h"
#include "Sandbox.h"
#include "app/Globals.h"
#include "install/FilePlacement.h"
#include "resource.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cctype>

namespace {

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

size_t Count(const std::string &text, const std::string &part)
{
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

std::string Page(int id)
{
    return ResourceBytes(MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(23));
}

const int Pages[] = {IDR_STARTNM, IDR_ZAVDEACT, IDR_ZAVOLNW, IDR_LICENSE, IDR_README, IDR_ZAVACT};

} // namespace

TEST(CarriedFiles, EachExtractedFileIsItsSourceByteForByte)
{
    ScratchFolder folder("carried");
    char savedFolder[MAX_PATH];
    lstrcpynA(savedFolder, installSettings.installFolder, MAX_PATH);
    lstrcpynA(installSettings.installFolder, folder.path.c_str(), MAX_PATH);
    for (const ManifestEntry &entry : FileManifest) {
        std::string source = ReadFileBytes(SourcePath(entry.fileName));
        ASSERT_FALSE(source.empty()) << SourcePath(entry.fileName);
        EXPECT_EQ(1, ExtractResourceFile(entry.resourceName, entry.resourceType, entry.fileName))
            << entry.fileName;
        EXPECT_TRUE(ReadFileBytes(folder / entry.fileName) == source) << entry.fileName;
    }
    lstrcpynA(installSettings.installFolder, savedFolder, MAX_PATH);
}

TEST(CarriedFiles, PagesArePlainAsciiWithCrLfLineEnds)
{
    for (int id : Pages) {
        std::string page = Page(id);
        ASSERT_GT(page.size(), 2u) << id;
        for (size_t i = 0; i < page.size(); ++i) {
            unsigned char c = static_cast<unsigned char>(page[i]);
            ASSERT_TRUE((c >= 0x20 && c <= 0x7E) || c == '\r' || c == '\n')
                << "page " << id << ": byte " << int(c) << " at " << i;
            if (c == '\n') {
                ASSERT_TRUE(i > 0 && page[i - 1] == '\r') << "page " << id << ": bare LF at " << i;
            }
            if (c == '\r') {
                ASSERT_TRUE(i + 1 < page.size() && page[i + 1] == '\n')
                    << "page " << id << ": bare CR at " << i;
            }
        }
        EXPECT_EQ("\r\n", page.substr(page.size() - 2)) << id;
        // The service is only ever addressed by the current host.
        EXPECT_EQ(std::string::npos, page.find(NIMBRELLA_LEGACY_HOST)) << id;
    }
}

TEST(CarriedFiles, ScriptPagesAreOneVBScriptElementThatRunsOnLoad)
{
    struct Case {
        int id;
        bool suppressesErrors;
    } cases[] = {{IDR_ZAVACT, true}, {IDR_ZAVDEACT, true}, {IDR_ZAVOLNW, false}};
    const std::string opening = "<script language=\"VBScript\">\r\n";
    const std::string ending = "\r\nOnContextMenu()\r\n</script>\r\n";
    for (const Case &c : cases) {
        std::string page = Page(c.id);
        EXPECT_EQ(0u, page.find(opening)) << c.id;
        ASSERT_GT(page.size(), ending.size());
        EXPECT_EQ(ending, page.substr(page.size() - ending.size())) << c.id;
        EXPECT_EQ(1u, Count(Lower(page), "<script")) << c.id;
        EXPECT_EQ(1u, Count(Lower(page), "</script")) << c.id;
        EXPECT_EQ(1u, Count(page, "\r\nOnContextMenu()\r\n")) << c.id;
        EXPECT_EQ(c.suppressesErrors, Lower(page).find("on error resume next") != std::string::npos)
            << c.id;
    }
}

TEST(CarriedFiles, DocumentsCarryTheirTitlesAndLinks)
{
    struct Case {
        int id;
        std::string text;
    } cases[] = {
        {IDR_LICENSE, "<title>Nimbrella ZAV: License Agreement</title>"},
        {IDR_LICENSE, "Nimbrella ZAV - Zavex Add-on, version 2.007"},
        {IDR_LICENSE, "reverse engineer"},
        {IDR_LICENSE, "\"as is\""},
        {IDR_LICENSE, "Thank you for using Nimbrella ZAV."},
        {IDR_README, "<title>Nimbrella ZAV: read me</title>"},
        {IDR_README, "<a href=\"" NIMBRELLA_BASE "/\">"},
        {IDR_README, "Last modification date: Jun 10 2001"},
        {IDR_README, "Build number: 2.007"},
        {IDR_README, "<a href=\"" NIMBRELLA_BASE "/nm.pl/0/"},
        {IDR_README, "<a href=\"license.htm\">License Agreement</a>"},
    };
    for (const Case &c : cases)
        EXPECT_NE(std::string::npos, Page(c.id).find(c.text)) << c.id << ": " << c.text;
    // The longer description is a service address that deactivation turns
    // back into a direct one: it ends with "?*".
    std::string readme = Page(IDR_README);
    size_t link = readme.find(NIMBRELLA_BASE "/nm.pl/0/");
    ASSERT_NE(std::string::npos, link);
    size_t end = readme.find('"', link);
    EXPECT_EQ("?*", readme.substr(end - 2, 2));
}
