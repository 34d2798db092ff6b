/* The message helper: what each detail appends, the cut, the last error, and
   how every box looks. */
#include "app/Report.h"
#include "BoxWatch.h"
#include <gtest/gtest.h>
#include <string>

TEST(ReportMessage, AppendsDetailByItsThreeMeanings)
{
    char systemText[512] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL,
                   ERROR_FILE_NOT_FOUND, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), systemText,
                   sizeof systemText, NULL);
    ASSERT_STRNE("", systemText);
    struct Case {
        DWORD lastError;
        const char *detail;
        std::string expected;
    } cases[] = {
        {ERROR_FILE_NOT_FOUND, NULL, std::string("Lead:\n") + systemText},
        {0, NULL, "Lead:\n"},
        {ERROR_FILE_NOT_FOUND, "", "Lead:\n"},
        {ERROR_FILE_NOT_FOUND, "second part", "Lead:\nsecond part"},
    };
    for (const Case &c : cases) {
        BoxWatch watch;
        SetLastError(c.lastError);
        ReportMessage(NULL, "Lead:\n", c.detail, CAPTION_INFO);
        ASSERT_EQ(1u, watch.boxes.size());
        EXPECT_EQ(c.expected, watch.boxes[0].text) << "last error " << c.lastError;
    }
}

TEST(ReportMessage, SecondMessageShowsNoStaleSystemText)
{
    BoxWatch watch;
    SetLastError(ERROR_ACCESS_DENIED);
    ReportMessage(NULL, "first ", NULL, CAPTION_INFO);
    ReportMessage(NULL, "second ", NULL, CAPTION_INFO);
    ASSERT_EQ(2u, watch.boxes.size());
    EXPECT_NE("first ", watch.boxes[0].text);
    EXPECT_EQ("second ", watch.boxes[1].text);
}

TEST(ReportMessage, CutsTheShownTextAt1023Characters)
{
    BoxWatch watch;
    std::string lead(1000, 'a');
    std::string detail(100, 'b');
    ReportMessage(NULL, lead.c_str(), detail.c_str(), CAPTION_INFO);
    ASSERT_EQ(1u, watch.boxes.size());
    EXPECT_EQ(lead + std::string(23, 'b'), watch.boxes[0].text);
}

TEST(ReportMessage, InstallErrorBoxHasCaptionInformationIconAndOneOkButton)
{
    BoxWatch watch;
    ReportInstallError(NULL, "Microsoft Internet Explorer 4.01+ required", "");
    ASSERT_EQ(1u, watch.boxes.size());
    const SeenBox &box = watch.boxes[0];
    EXPECT_EQ("Nimbrella ZAV Installation Error", box.caption);
    EXPECT_EQ("Microsoft Internet Explorer 4.01+ required", box.text);
    EXPECT_TRUE(box.informationIcon);
    EXPECT_EQ(std::vector<int>{IDOK}, box.buttons);
    EXPECT_EQ(NULL, box.owner);
}

TEST(ReportMessage, BoxIsOwnedByTheGivenWindow)
{
    HWND owner = CreateWindowA("STATIC", "owner", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, NULL,
                               NULL, NULL, NULL);
    BoxWatch watch;
    ReportMessage(owner, "text", "", CAPTION_ERROR);
    ASSERT_EQ(1u, watch.boxes.size());
    EXPECT_EQ(owner, watch.boxes[0].owner);
    EXPECT_EQ("Nimbrella ZAV Error", watch.boxes[0].caption);
    DestroyWindow(owner);
}

/* Whole lines only, and a list with more paths than room ends with one line
   that says so; the paths are never cut. */
TEST(ListInMessage, AddsWholeLinesAndMarksOnceThatThereAreMore)
{
    char list[REPORT_BUFFER_SIZE] = "Lead:\n";
    std::string expected = list;
    const std::string path = "C:\\" + std::string(200, 'p');
    for (int i = 0; i < 8; i++) {
        ListInMessage(list, sizeof list, path.c_str(), "\\", "file");
        if (expected.size() + path.size() + 7 + sizeof "\t...\n" <= sizeof list)
            expected += "\t" + path + "\\file\n";
    }
    EXPECT_EQ(expected + "\t...\n", list);
    char roomy[REPORT_BUFFER_SIZE] = "Lead:\n";
    ListInMessage(roomy, sizeof roomy, "C:\\a", NULL, NULL);
    EXPECT_STREQ("Lead:\n\tC:\\a\n", roomy);
}
