/* See Installed.h. The names are the program's own. */
#include "Installed.h"
#include "app/Globals.h"
#include "app/Startup.h"
#include "app/Text.h"
#include "install/BrowserEntries.h"
#include "install/Shortcuts.h"
#include "install/UninstallRecord.h"
#include "options/AddressCorrection.h"
#include "uninstall/SelfRemoval.h"
#include <shlobj.h>

static int KeyExists(HKEY root, const char *path)
{
    HKEY key;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return 0;
    RegCloseKey(key);
    return 1;
}

static int Exists(const char *path)
{
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

static int NoteKey(GrowingText *found, HKEY root, const char *rootName, const char *path)
{
    if (!KeyExists(root, path))
        return 0;
    AddFormat(found, "    %s\\%s\n", rootName, path);
    return 1;
}

/* name in the special folder folderId, when it is there. */
static int NoteInFolder(GrowingText *found, int folderId, const char *name)
{
    char folder[MAX_PATH], path[MAX_PATH];
    if (!SpecialFolderPath(NULL, folderId, folder) ||
        !ComposePath(path, sizeof path, folder, name) || !Exists(path))
        return 0;
    AddFormat(found, "    %s\n", path);
    return 1;
}

int FindInstalledParts(GrowingText *found)
{
    int count = NoteKey(found, HKEY_LOCAL_MACHINE, "HKLM", UNINSTALL_KEY);
    for (const ContextMenuItem &item : ContextMenuItems)
        count += NoteKey(found, HKEY_CURRENT_USER, "HKCU", item.keyPath);
    count += NoteKey(found, HKEY_LOCAL_MACHINE, "HKLM", TOOLBAR_BUTTON_KEY);
    if (QueryAddressCorrection(true)) {
        AddText(found, "    the browser's address prefixes under HKLM\\" DEFAULT_PREFIX_KEY
                       " and its Prefixes name the service\n");
        count++;
    }
    const int linkFolders[] = {CSIDL_DESKTOPDIRECTORY, CSIDL_COMMON_DESKTOPDIRECTORY};
    for (int folderId : linkFolders)
        count += NoteInFolder(found, folderId, PROGRAM_LINK_NAME);
    const int menuFolders[] = {CSIDL_PROGRAMS, CSIDL_COMMON_PROGRAMS};
    for (int folderId : menuFolders)
        count += NoteInFolder(found, folderId, START_MENU_FOLDER_NAME);
    SetDefaultInstallFolder();
    if (Exists(installSettings.installFolder)) {
        AddFormat(found, "    %s\n", installSettings.installFolder);
        count++;
    }
    char temporary[MAX_PATH], script[MAX_PATH];
    DWORD length = GetTempPathA(MAX_PATH, temporary);
    if (length && length < MAX_PATH &&
        ComposeText(script, sizeof script, temporary, REMOVAL_SCRIPT_NAME, NULL) &&
        Exists(script)) {
        AddFormat(found, "    %s, a removal script not yet run\n", script);
        count++;
    }
    return count;
}
