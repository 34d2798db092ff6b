/* The seven dialog templates and the three long texts as the executable
   carries them: every control in template order with its identifier, class,
   style, text and position, and the strings loaded whole. */
#include "resource.h"
#include "Hosts.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>

struct Control {
    unsigned id;
    std::string className;
    DWORD style;
    std::string text; /* "#n" for a resource ordinal */
    short x, y, cx, cy;
};

struct Template {
    DWORD style;
    DWORD exStyle;
    short x, y, cx, cy;
    std::string caption;
    WORD pointSize;
    std::string face;
    std::vector<Control> controls;
};

/* Reads a zero-terminated UTF-16 text or a 0xFFFF ordinal; ANSI is enough
   for the program's texts. */
static std::string ReadNameOrOrdinal(const WORD *&p, const char *const *atoms = NULL)
{
    if (*p == 0xFFFF) {
        WORD ordinal = p[1];
        p += 2;
        if (atoms && ordinal >= 0x80 && ordinal <= 0x85)
            return atoms[ordinal - 0x80];
        return "#" + std::to_string(ordinal);
    }
    std::string text;
    while (*p)
        text += (char)*p++;
    p++;
    return text;
}

static Template LoadTemplate(int id)
{
    static const char *const atoms[] = {"Button", "Edit", "Static", "ListBox", "ScrollBar",
                                        "ComboBox"};
    HRSRC found = FindResourceA(NULL, MAKEINTRESOURCEA(id), (LPCSTR)RT_DIALOG);
    EXPECT_TRUE(found != NULL) << "template " << id;
    Template result = {};
    if (!found)
        return result;
    const DLGTEMPLATE *head = (const DLGTEMPLATE *)LockResource(LoadResource(NULL, found));
    result.style = head->style;
    result.exStyle = head->dwExtendedStyle;
    result.x = head->x, result.y = head->y, result.cx = head->cx, result.cy = head->cy;
    const WORD *p = (const WORD *)(head + 1);
    EXPECT_EQ("", ReadNameOrOrdinal(p)) << "menu of " << id;
    EXPECT_EQ("", ReadNameOrOrdinal(p)) << "class of " << id;
    result.caption = ReadNameOrOrdinal(p);
    if (head->style & DS_SETFONT) {
        result.pointSize = *p++;
        result.face = ReadNameOrOrdinal(p);
    }
    for (int i = 0; i < head->cdit; i++) {
        p = (const WORD *)(((ULONG_PTR)p + 3) & ~(ULONG_PTR)3);
        const DLGITEMTEMPLATE *item = (const DLGITEMTEMPLATE *)p;
        Control control;
        control.id = item->id;
        control.style = item->style;
        control.x = item->x, control.y = item->y, control.cx = item->cx, control.cy = item->cy;
        EXPECT_EQ(0u, item->dwExtendedStyle) << "control " << item->id << " of " << id;
        p = (const WORD *)(item + 1);
        control.className = ReadNameOrOrdinal(p, atoms);
        control.text = ReadNameOrOrdinal(p);
        WORD extra = *p++;
        p = (const WORD *)((const BYTE *)p + extra);
        result.controls.push_back(control);
    }
    return result;
}

#define CHILD (WS_CHILD | WS_VISIBLE)
#define DEFAULT (CHILD | WS_TABSTOP | BS_DEFPUSHBUTTON)
#define PUSH (CHILD | WS_TABSTOP | BS_PUSHBUTTON)
#define BANNER {IDC_BANNER, "Static", CHILD | SS_BITMAP, "#139", 7, 7, 81, 161}
#define STATIC_TEXT (CHILD | WS_GROUP | SS_LEFT)
#define GROUP (CHILD | BS_GROUPBOX)
#define CHECK (CHILD | WS_TABSTOP | BS_AUTOCHECKBOX)
#define EDIT (CHILD | WS_TABSTOP | WS_BORDER | ES_LEFT)
#define NONE 0xFFFF
#define ANY_TEXT "*"
#define NEXT(text) {1001, "Button", DEFAULT, text, 171, 183, 50, 14}
#define CANCEL(text) {2, "Button", PUSH, text, 244, 183, 50, 14}
#define BACK {1000, "Button", PUSH, "< &Back", 121, 183, 50, 14}
#define TITLE(id, text) {id, "Static", STATIC_TEXT, text, 95, 5, 197, 29}
#define PAGE_STYLE (WS_BORDER | WS_DLGFRAME | DS_MODALFRAME | DS_SETFONT)

static const char finishText[] =
    "Nimbrella ZAV has been successfully installed.\n\nWe recommend you to click \"Start "
    "Nimbrella ZAV\" and turn the flag \"Enable Web address correction\" on.\n\nIn any case, "
    "you will be able to customize Nimbrella ZAV later.";
static const char introText[] =
    "This installation program will install Nimbrella ZAV (Zavex Add-on) 2.007.\nNimbrella ZAV "
    "allows to noticeably simplify use of the free Internet service Nimbrella, located "
    "at " NIMBRELLA_BASE;

static const struct {
    int id;
    Template expected;
} templates[] = {
    {IDD_WELCOME,
     {PAGE_STYLE, 0, 0, 0, 301, 204, "Nimbrella ZAV 2.007 Installation", 8, "MS Sans Serif",
      {NEXT("&Next >"),
       CANCEL("Cancel"),
       {1000, "Button", PUSH | WS_DISABLED, "< &Back", 121, 183, 50, 14},
       BANNER,
       {1002, "Static", STATIC_TEXT, "Welcome", 95, 7, 198, 23},
       {1003, "Static", STATIC_TEXT, introText, 96, 35, 198, 45},
       {1004, "Static", STATIC_TEXT, "Press...", 95, 85, 198, 30},
       {NONE, "Static", STATIC_TEXT, ANY_TEXT, 95, 123, 195, 25},
       {NONE, "Static", STATIC_TEXT, ANY_TEXT, 95, 153, 195, 20}}}},
    {IDD_LICENCE,
     {PAGE_STYLE, 0, 0, 0, 301, 204, "Nimbrella ZAV 2.007 Installation", 8, "MS Sans Serif",
      {NEXT("I &Agree"),
       CANCEL("I &Disagree"),
       {1006, "Edit", EDIT | ES_MULTILINE | ES_READONLY | WS_VSCROLL, "", 95, 44, 197, 124},
       BACK,
       BANNER,
       TITLE(1007, "Software Licence Agreement")}}},
    {IDD_FOLDER,
     {PAGE_STYLE, 0, 0, 0, 301, 204, "Nimbrella ZAV 2.007 Installation", 8, "MS Sans Serif",
      {NEXT("&Next >"),
       CANCEL("Cancel"),
       {NONE, "Button", GROUP, "Folder", 95, 90, 197, 35},
       {1011, "Edit", EDIT | ES_AUTOHSCROLL, "", 101, 103, 130, 12},
       {1012, "Button", PUSH, "B&rowse...", 237, 102, 50, 14},
       BACK,
       BANNER,
       TITLE(1008, "Select Destination Folder"),
       {1009, "Static", STATIC_TEXT,
        "Please select the folder where Nimbrella ZAV application files are to be installed.",
        95, 40, 197, 29}}}},
    {IDD_ICONS,
     {PAGE_STYLE, 0, 0, 0, 301, 204, "Nimbrella ZAV 2.007 Installation", 8, "MS Sans Serif",
      {NEXT("&Next >"),
       CANCEL("Cancel"),
       {NONE, "Button", GROUP, "Icons", 95, 90, 197, 80},
       {1015, "Button", CHECK, "Add ZAV to &Start Menu", 105, 105, 88, 10},
       {1016, "Button", CHECK, "Add ZAV to &Desktop", 105, 120, 80, 10},
       {1017, "Button", CHECK, "Add ZAV to &Internet Explorer Toolbar", 105, 134, 131, 10},
       BACK,
       BANNER,
       TITLE(1013, "Icon Creation"),
       {1014, "Static", STATIC_TEXT,
        "Specify if installer should create a desktop icon and shortcuts to Nimbrella ZAV", 95,
        40, 197, 29}}}},
    {IDD_READY,
     {PAGE_STYLE, 0, 0, 0, 301, 204, "Nimbrella ZAV 2.007 Installation", 8, "MS Sans Serif",
      {NEXT("I&nstall >"),
       CANCEL("Cancel"),
       BACK,
       BANNER,
       TITLE(1018, "Ready to Install!"),
       {1019, "Static", STATIC_TEXT,
        "Press the Install button to begin installation or the Back button to reenter the "
        "installation information",
        95, 40, 197, 29}}}},
    {IDD_FINISH,
     {PAGE_STYLE, 0, 0, 0, 301, 204, "Nimbrella ZAV 2.007 Installation", 8, "MS Sans Serif",
      {{1040, "Button", DEFAULT, "&Start Nimbrella ZAV", 125, 182, 101, 14},
       CANCEL("&Finish"),
       BANNER,
       TITLE(1039, "Installation completed!"),
       {1019, "Static", STATIC_TEXT, finishText, 95, 40, 197, 65}}}},
    {IDD_OPTIONS,
     {WS_CAPTION | DS_MODALFRAME | DS_CENTER | DS_SETFONT, 0, 0, 0, 301, 204,
      "Nimbrella Zavex Add-on 2.007 Options", 8, "MS Sans Serif",
      {{1028, "Button", CHILD | BS_AUTOCHECKBOX | BS_MULTILINE | BS_TOP | WS_TABSTOP,
        "Enable &Web address correction", 95, 5, 140, 10},
       {1038, "Button", CHILD | BS_AUTOCHECKBOX | BS_MULTILINE | BS_TOP | WS_TABSTOP,
        "Enable Nimbrella &items in the Internet Explorer context menu", 95, 115, 190, 18},
       {1036, "Button", PUSH, "Open Nimbrella", 225, 158, 70, 14},
       {1024, "Button", DEFAULT, "Ok", 138, 185, 50, 14},
       {2, "Button", PUSH, "Cancel", 192, 185, 50, 14},
       {1025, "Button", PUSH | WS_DISABLED, "&Apply", 245, 185, 50, 14},
       BANNER,
       {1027, "Static", STATIC_TEXT, "IDC_STATIC_OptionsURL", 95, 15, 197, 96},
       {1037, "Static", STATIC_TEXT,
        "Please click on the following button to open the main Nimbrella Web page:", 95, 155,
        125, 20},
       {1029, "Static", STATIC_TEXT,
        "If you changed this flag, it will be applied only to the new Internet Explorer "
        "windows.",
        95, 136, 197, 17}}}},
};

TEST(DialogTemplates, MatchTheirLayoutControlByControl)
{
    for (const auto &entry : templates) {
        SCOPED_TRACE("template " + std::to_string(entry.id));
        const Template &want = entry.expected;
        Template got = LoadTemplate(entry.id);
        EXPECT_EQ(want.style, got.style);
        EXPECT_EQ(want.exStyle, got.exStyle);
        EXPECT_EQ(want.x, got.x);
        EXPECT_EQ(want.y, got.y);
        EXPECT_EQ(want.cx, got.cx);
        EXPECT_EQ(want.cy, got.cy);
        EXPECT_EQ(want.caption, got.caption);
        EXPECT_EQ(want.pointSize, got.pointSize);
        EXPECT_EQ(want.face, got.face);
        ASSERT_EQ(want.controls.size(), got.controls.size());
        for (size_t i = 0; i < want.controls.size(); i++) {
            const Control &w = want.controls[i], &g = got.controls[i];
            SCOPED_TRACE("control #" + std::to_string(i) + " id " + std::to_string(w.id));
            EXPECT_EQ(w.id, g.id);
            EXPECT_TRUE(_stricmp(w.className.c_str(), g.className.c_str()) == 0)
                << w.className << " / " << g.className;
            EXPECT_EQ(w.style, g.style) << std::hex << w.style << " / " << g.style;
            if (w.text != ANY_TEXT) {
                EXPECT_EQ(w.text, g.text);
            }
            EXPECT_EQ(w.x, g.x);
            EXPECT_EQ(w.y, g.y);
            EXPECT_EQ(w.cx, g.cx);
            EXPECT_EQ(w.cy, g.cy);
        }
    }
}

static std::string LoadText(UINT id)
{
    char text[2048] = "";
    int length = LoadStringA(NULL, id, text, sizeof text);
    return std::string(text, length);
}

TEST(StringTable, HoldsTheThreeLongTextsWhole)
{
    EXPECT_EQ("Press the Next button to start the installation. You can press the Cancel button "
              "now if you do not want to install Nimbrella ZAV at this time.",
              LoadText(IDS_WELCOME));

    std::string licence = LoadText(IDS_LICENCE);
    std::vector<std::string> lines;
    size_t start = 0, end;
    while ((end = licence.find("\r\n", start)) != std::string::npos) {
        lines.push_back(licence.substr(start, end - start));
        start = end + 2;
    }
    EXPECT_EQ(licence.size(), start) << "the licence ends with CR LF";
    size_t breaks = 0;
    for (char c : licence)
        breaks += c == '\n';
    EXPECT_EQ(lines.size(), breaks) << "every line break is CR LF";
    ASSERT_EQ(16u, lines.size());
    EXPECT_EQ("Nimbrella ZAV - Zavex Add-on,", lines[0]);
    EXPECT_EQ("version 2.007", lines[1]);
    EXPECT_EQ("License Agreement", lines[3]);
    EXPECT_EQ("1. Nimbrella ZAV is absolutely free software. You can use it in any way "
              "appropriate for you. In particular, you can copy, modify or reverse engineer this "
              "software.",
              lines[5]);
    EXPECT_EQ("2. No warranties! Nimbrella ZAV is distributed \"as is\". No warranty of any "
              "kind is expressed or implied.",
              lines[7]);
    EXPECT_EQ("3. Installing and using Nimbrella ZAV means acceptance of all terms and "
              "conditions of this license.",
              lines[9]);
    EXPECT_EQ("Thank you for using Nimbrella ZAV.", lines[11]);
    for (int empty : {4, 6, 8, 10, 12})
        EXPECT_EQ("", lines[empty]) << "line " << empty + 1;
    for (int signature : {13, 14, 15})
        EXPECT_EQ("    ", lines[signature].substr(0, 4)) << "line " << signature + 1;
    EXPECT_EQ(',', lines[13].back());

    EXPECT_EQ("This flag greatly simplifies using the free Internet service Nimbrella. If it's "
              "turned on and you enter any Web address in the browser address line WITHOUT the "
              "starting \"http://\" - for example, \"" NIMBRELLA_HOST
              "\", then Internet Explorer will automatically correct the address so that the "
              "page will be viewed through Nimbrella. If you will want to view some Web page "
              "without Nimbrella, you will have to type the full Web address starting from "
              "\"http://\".\n\nWarning! When this flag is turned on, some applications "
              "installed on your computer can work differently with Web addresses. If it causes "
              "promlems, please turn off this flag.",
              LoadText(IDS_OPTIONS_URL));
}
