/* Checks of an installation from outside the program: see Installed.h. */
#include "Installed.h"
#include "Driver.h"
#include "Hosts.h"
#include "Sandbox.h"
#include "ShellFolders.h"
#include "app/Globals.h"
#include <shlobj.h>
#include <vector>

static const char *const ContextMenuKeys[3][2] = {
    {"Software\\Microsoft\\Internet Explorer\\MenuExt\\Nimbrella: Activate", "ZAVACT.HTM"},
    {"Software\\Microsoft\\Internet Explorer\\MenuExt\\Nimbrella: Deactivate", "ZAVDEACT.HTM"},
    {"Software\\Microsoft\\Internet Explorer\\MenuExt\\Nimbrella: Open in New Window",
     "ZAVOLNW.HTM"},
};
static const DWORD ContextMasks[3] = {243, 243, 34};
static const char *ToolbarKey =
    "Software\\Microsoft\\Internet Explorer\\Extensions\\{6E0D2A71-93C4-4B8F-A215-5C07E9D3B184}";

std::string ServicePrefixText()
{
    return NIMBRELLA_BASE "/nm.pl?~GZ/";
}

std::string DefaultPrefix()
{
    return RegText(HKEY_LOCAL_MACHINE, DEFAULT_PREFIX_KEY, "");
}

std::string StartMenuFolder()
{
    std::string common = SpecialFolder(CSIDL_COMMON_PROGRAMS) + "\\Nimbrella ZAV";
    if (FolderExists(common))
        return common;
    return SpecialFolder(CSIDL_PROGRAMS) + "\\Nimbrella ZAV";
}

std::string DesktopLink()
{
    return SpecialFolder(CSIDL_DESKTOPDIRECTORY) + "\\Nimbrella ZAV.lnk";
}

std::string UninstallCommand()
{
    std::string command = RegText(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, "UninstallString");
    return command == "<absent>" ? "" : command;
}

bool ContextMenuPresent()
{
    for (auto &row : ContextMenuKeys)
        if (!KeyExists(HKEY_CURRENT_USER, row[0]))
            return false;
    return true;
}

/* The bytes of one resource of NMZAV.EXE. */
static std::string CarriedBytes(const ManifestEntry &entry)
{
    HMODULE program = LoadLibraryExA(ProgramUnderTest().c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    std::string bytes;
    HRSRC found = program ? FindResourceA(program, entry.resourceName, entry.resourceType) : NULL;
    if (found) {
        const char *data = (const char *)LockResource(LoadResource(program, found));
        bytes.assign(data, SizeofResource(program, found));
    }
    if (program)
        FreeLibrary(program);
    return bytes;
}

static void ExpectLink(const std::string &path, const std::string &target,
                       const std::string &description, const std::string &arguments,
                       const std::string &icon, int iconIndex)
{
    Expect(FileExists(path), "the link " + path);
    LinkContents link = ReadShellLink(path);
    Expect(link.loaded, "the shell link " + path + " to load");
    ExpectEqual(target, link.target, path + " target");
    ExpectEqual(description, link.description, path + " description");
    ExpectEqual(arguments, link.arguments, path + " arguments");
    ExpectEqual(icon, link.iconPath, path + " icon");
    if (!icon.empty())
        Expect(link.iconIndex == iconIndex, path + " icon index " + std::to_string(iconIndex));
}

static void ExpectFiles(const std::string &folder)
{
    ExpectEqual(ReadFileBytes(ProgramUnderTest()), ReadFileBytes(folder + "\\NMZAV.EXE"),
                "NMZAV.EXE copied byte for byte");
    for (const ManifestEntry &entry : FileManifest) {
        std::string carried = CarriedBytes(entry);
        Expect(!carried.empty(), std::string("the resource of ") + entry.fileName);
        Expect(carried == ReadFileBytes(folder + "\\" + entry.fileName),
               std::string(entry.fileName) + " byte for byte as carried");
    }
    Expect(FileExists(folder + "\\UNINSTALL.DAT"), "UNINSTALL.DAT");
}

static void ExpectRegistry(const std::string &folder, IconChoice icons, bool addressCorrection)
{
    ExpectEqual("Nimbrella Zavex Add-on 2.007",
                RegText(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, "DisplayName"), "DisplayName");
    ExpectEqual("\"" + folder + "\\NMZAV.EXE\" /U", UninstallCommand(), "UninstallString");
    for (int i = 0; i < 3; i++) {
        ExpectEqual(ShortPath(folder + "\\" + ContextMenuKeys[i][1]),
                    RegText(HKEY_CURRENT_USER, ContextMenuKeys[i][0], ""), ContextMenuKeys[i][0]);
        Expect(RegDword(HKEY_CURRENT_USER, ContextMenuKeys[i][0], "contexts") == ContextMasks[i],
               std::string("contexts of ") + ContextMenuKeys[i][0]);
    }
    if (icons.toolbar) {
        ExpectEqual(ShortPath(folder + "\\NMZAV.EXE"),
                    RegText(HKEY_LOCAL_MACHINE, ToolbarKey, "Exec"), "toolbar Exec");
        ExpectEqual(ShortPath(folder + "\\ICON.ICO"),
                    RegText(HKEY_LOCAL_MACHINE, ToolbarKey, "HotIcon"), "toolbar HotIcon");
        ExpectEqual(ShortPath(folder + "\\ICONS.ICO"),
                    RegText(HKEY_LOCAL_MACHINE, ToolbarKey, "Icon"), "toolbar Icon");
        ExpectEqual("Nimbrella ZAV", RegText(HKEY_LOCAL_MACHINE, ToolbarKey, "ButtonText"),
                    "toolbar ButtonText");
    } else {
        Expect(!KeyExists(HKEY_LOCAL_MACHINE, ToolbarKey), "no toolbar key");
    }
    if (addressCorrection) {
        ExpectEqual(ServicePrefixText(), DefaultPrefix(), "the default prefix");
        for (const char *name : {"www", "home", "mosaic"})
            ExpectEqual(ServicePrefixText(), RegText(HKEY_LOCAL_MACHINE, PREFIXES_KEY, name),
                        std::string("prefix ") + name);
        ExpectEqual("ftp://", RegText(HKEY_LOCAL_MACHINE, PREFIXES_KEY, "ftp"), "prefix ftp");
    }
}

static void ExpectShortcuts(const std::string &folder, IconChoice icons)
{
    std::string exe = folder + "\\NMZAV.EXE";
    if (icons.desktop)
        ExpectLink(DesktopLink(), exe, "Nimbrella Zavex Add-on", "", "", 0);
    else
        Expect(!FileExists(DesktopLink()), "no desktop link");
    std::string menu = StartMenuFolder();
    if (!icons.startMenu) {
        Expect(!FolderExists(menu), "no Start Menu folder");
        return;
    }
    ExpectLink(menu + "\\Nimbrella ZAV.lnk", exe, "Nimbrella Zavex Add-on 2.007", "", "", 0);
    ExpectLink(menu + "\\Nimbrella on " NIMBRELLA_HOST ".lnk", folder + "\\startnm.htm",
               "Open " NIMBRELLA_BASE "/", "", "", 0);
    ExpectLink(menu + "\\Read Me.lnk", folder + "\\readme.htm",
               "Short description of Nimbrella ZAV", "", "", 0);
    ExpectLink(menu + "\\License Agreement.lnk", folder + "\\license.htm",
               "Nimbrella ZAV license agreement", "", "", 0);
    ExpectLink(menu + "\\Uninstall Nimbrella ZAV.lnk", exe, "Uninstall Nimbrella Zavex Add-on",
               "/U", exe, 1);
}

void ExpectInstalled(const std::string &folder, IconChoice icons, bool addressCorrection)
{
    ExpectFiles(folder);
    ExpectRegistry(folder, icons, addressCorrection);
    ExpectShortcuts(folder, icons);
}

void ExpectPlainPrefixes(const std::string &foreignDefault)
{
    ExpectEqual(foreignDefault.empty() ? "http://" : foreignDefault, DefaultPrefix(),
                "the default prefix");
    for (const char *name : {"www", "home", "mosaic"})
        ExpectEqual("http://", RegText(HKEY_LOCAL_MACHINE, PREFIXES_KEY, name),
                    std::string("prefix ") + name);
}

void ExpectNothingLeft(const std::string &folder, const std::string &keptFile)
{
    Expect(!KeyExists(HKEY_LOCAL_MACHINE, UNINSTALL_KEY), "no uninstall entry");
    for (auto &row : ContextMenuKeys)
        Expect(!KeyExists(HKEY_CURRENT_USER, row[0]), std::string("no key ") + row[0]);
    Expect(!KeyExists(HKEY_LOCAL_MACHINE, ToolbarKey), "no toolbar key");
    Expect(!FileExists(DesktopLink()), "no desktop link");
    Expect(!FolderExists(StartMenuFolder()), "no Start Menu folder");
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    Expect(!FileExists(std::string(temp) + "UNINSTALL.BAT"), "no UNINSTALL.BAT");
    for (const ManifestEntry &entry : FileManifest)
        Expect(!FileExists(folder + "\\" + entry.fileName), std::string("no ") + entry.fileName);
    Expect(!FileExists(folder + "\\NMZAV.EXE"), "no NMZAV.EXE");
    Expect(!FileExists(folder + "\\UNINSTALL.DAT"), "no UNINSTALL.DAT");
    if (keptFile.empty()) {
        Expect(!FolderExists(folder), "no install folder");
    } else {
        Expect(FileExists(folder + "\\" + keptFile), "the user's own file kept");
    }
}

static void PrintFolder(const std::string &folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            printf("    %s\\%s (%lu bytes)\n", folder.c_str(), found.cFileName, found.nFileSizeLow);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

void PrintInstalled(const std::string &folder)
{
    printf("  files:\n");
    PrintFolder(folder);
    printf("  links:\n    %s\n", DesktopLink().c_str());
    PrintFolder(StartMenuFolder());
    printf("  registry:\n    HKLM\\%s\n", UNINSTALL_KEY);
    for (auto &row : ContextMenuKeys)
        printf("    HKCU\\%s\n", row[0]);
    printf("    HKLM\\%s\n", ToolbarKey);
    printf("    HKLM\\%s = %s (and the matching Prefixes values)\n", DEFAULT_PREFIX_KEY,
           DefaultPrefix().c_str());
    fflush(stdout);
}
