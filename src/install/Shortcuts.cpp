/* Shell links to the installed program, made through the shell's link object,
   and the Start Menu folder that holds five of them. */
#include "install/Shortcuts.h"
#include "install/UninstallRecord.h"
#include "app/Files.h"
#include "app/Globals.h"
#include "app/Report.h"
#include "app/Product.h"
#include "app/Text.h"
#include "Hosts.h"
#include <shlobj.h>

#define DESKTOP_LINK_FAILED "Cannot add Nimbrella ZAV icon onto the Windows Desktop."
#define START_MENU_FOLDER "the \"Start Menu\\Programs\\Nimbrella ZAV\" folder."

const StartMenuItem StartMenuItems[START_MENU_ITEM_COUNT] = {
    {PROGRAM_LINK_NAME, INSTALLED_FILE_NAME, PRODUCT_NAME, NULL, NULL, 0},
    {"Nimbrella on " NIMBRELLA_HOST ".lnk", START_PAGE_FILE, "Open " NIMBRELLA_BASE "/", NULL,
     NULL, 0},
    {"Read Me.lnk", README_FILE, "Short description of Nimbrella ZAV", NULL, NULL, 0},
    {"License Agreement.lnk", LICENSE_FILE, "Nimbrella ZAV license agreement", NULL, NULL, 0},
    {"Uninstall Nimbrella ZAV.lnk", INSTALLED_FILE_NAME, "Uninstall Nimbrella Zavex Add-on",
     UNINSTALL_ARGUMENT, INSTALLED_FILE_NAME, 1},
};

/* Item-ID lists from the shell go back to the shell's allocator; without one
   they are left alone. The last error is kept for the caller's message. */
static void FreeItemList(LPITEMIDLIST list)
{
    if (!list || !shellAllocator)
        return;
    KeepingLastError([&] { shellAllocator->Free(list); });
}

/* A composed path that does not fit fails like a call of the link object. */
static HRESULT ComposeIn(char *out, const char *folder, const char *fileName)
{
    if (!ComposePath(out, MAX_PATH, folder, fileName))
        return HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE);
    return S_OK;
}

static HRESULT ComposeInInstallFolder(char *out, const char *fileName)
{
    return ComposeIn(out, installSettings.installFolder, fileName);
}

/* The desktop's link: the program's own, with a description of its own. */
static const StartMenuItem DesktopLink = {PROGRAM_LINK_NAME, INSTALLED_FILE_NAME,
                                          DESKTOP_LINK_DESCRIPTION, NULL, NULL, 0};

/* Makes the link item describes and saves it in folder, replacing a link of
   that name; once it is saved, its removal line is added. Every call after
   the first that fails is skipped; both interfaces are released whatever
   happened. */
static HRESULT SaveShellLink(const char *folder, const StartMenuItem &item)
{
    char linkPath[MAX_PATH];
    char target[MAX_PATH];
    char icon[MAX_PATH];
    WCHAR wideLinkPath[MAX_PATH];
    IShellLinkA *link = NULL;
    IPersistFile *file = NULL;
    HRESULT result = ComposeIn(linkPath, folder, item.linkName);
    if (SUCCEEDED(result))
        result = CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                  (void **)&link);
    if (SUCCEEDED(result))
        result = ComposeInInstallFolder(target, item.targetFile);
    if (SUCCEEDED(result))
        result = link->SetPath(target);
    if (SUCCEEDED(result))
        result = link->SetDescription(item.description);
    if (SUCCEEDED(result) && item.arguments)
        result = link->SetArguments(item.arguments);
    if (SUCCEEDED(result) && item.iconFile) {
        result = ComposeInInstallFolder(icon, item.iconFile);
        if (SUCCEEDED(result))
            result = link->SetIconLocation(icon, item.iconIndex);
    }
    if (SUCCEEDED(result))
        result = link->QueryInterface(IID_IPersistFile, (void **)&file);
    if (SUCCEEDED(result) &&
        !MultiByteToWideChar(CP_ACP, 0, linkPath, -1, wideLinkPath, MAX_PATH)) {
        /* Read once: the macro names its argument more than once. */
        DWORD error = GetLastError();
        result = HRESULT_FROM_WIN32(error);
    }
    if (SUCCEEDED(result))
        result = file->Save(wideLinkPath, TRUE);
    KeepingLastError([&] {
        if (file)
            file->Release();
        if (link)
            link->Release();
    });
    if (SUCCEEDED(result))
        AppendUninstallLine("del", linkPath);
    return result;
}

int SpecialFolderPath(HWND owner, int folderId, char *path)
{
    LPITEMIDLIST list = NULL;
    path[0] = '\0';
    if (FAILED(SHGetSpecialFolderLocation(owner, folderId, &list)))
        return 0;
    int found = SHGetPathFromIDListA(list, path) ? 1 : 0;
    FreeItemList(list);
    return found;
}

int CreateDesktopShortcut(HWND owner)
{
    char desktop[MAX_PATH];
    /* A desktop the shell cannot name is not worth a message. */
    if (!SpecialFolderPath(owner, CSIDL_DESKTOP, desktop))
        return 1;
    if (FAILED(SaveShellLink(desktop, DesktopLink))) {
        ReportInstallError(owner, DESKTOP_LINK_FAILED, "");
        return 0;
    }
    return 1;
}

int EnsureStartMenuFolder(HWND owner, int folderId, char *path)
{
    if (!SpecialFolderPath(owner, folderId, path) ||
        !AppendText(path, MAX_PATH, "\\" START_MENU_FOLDER_NAME))
        return 0;
    /* Not there, or a file of that name in the way, which makes this fail
       with the reason the user is shown. */
    return IsFolder(path) || CreateDirectoryA(path, NULL);
}

/* The shared Programs folder serves every user; where it cannot take the
   folder, the user's own Programs folder is used. */
static int FindStartMenuFolder(HWND owner)
{
    char found[MAX_PATH];
    if (!EnsureStartMenuFolder(owner, CSIDL_COMMON_PROGRAMS, found) &&
        !EnsureStartMenuFolder(owner, CSIDL_PROGRAMS, found))
        return 0;
    return CopyText(startMenuFolder, sizeof startMenuFolder, found);
}

static int AddStartMenuLink(HWND owner, const StartMenuItem &item)
{
    /* Both failures name the folder; the lead says which step failed. */
    const char *lead;
    if (startMenuFolder[0] == '\0' && !FindStartMenuFolder(owner))
        lead = "Cannot create ";
    else if (FAILED(SaveShellLink(startMenuFolder, item)))
        lead = "Cannot add an Nimbrella ZAV item to ";
    else
        return 1;
    ReportPieces(owner, NULL, CAPTION_INSTALL_ERROR, lead, START_MENU_FOLDER, SYSTEM_ERROR_LEAD,
                 NULL);
    return 0;
}

int AddStartMenuItem(HWND owner, const char *linkName, const char *targetFile,
                     const char *description, const char *arguments, const char *iconFile,
                     int iconIndex)
{
    const StartMenuItem item = {linkName, targetFile, description, arguments, iconFile, iconIndex};
    return AddStartMenuLink(owner, item);
}

int AddStartMenuItems(HWND owner)
{
    for (const StartMenuItem &item : StartMenuItems)
        if (!AddStartMenuLink(owner, item))
            return 0;
    return 1;
}
