/* Context-menu entries and the toolbar button. Paths are stored in their
   short form, as the browser of the time expected; none of these operations
   undoes its own partial work. */
#include "install/BrowserEntries.h"
#include "app/Globals.h"
#include "app/Product.h"
#include "app/Registry.h"
#include "app/Report.h"
#include "app/Text.h"

const ContextMenuItem ContextMenuItems[CONTEXT_MENU_ITEM_COUNT] = {
    {"Software\\Microsoft\\Internet Explorer\\MenuExt\\Nimbrella: Activate", "ZAVACT.HTM", 243},
    {"Software\\Microsoft\\Internet Explorer\\MenuExt\\Nimbrella: Deactivate", "ZAVDEACT.HTM",
     243},
    {"Software\\Microsoft\\Internet Explorer\\MenuExt\\Nimbrella: Open in New Window",
     "ZAVOLNW.HTM", 34},
};

/* A toolbar value: its name, and the name of a file in the install folder
   (whose short path it holds) or its fixed text. */
struct ToolbarButtonValue {
    const char *name;
    const char *text;
};

/* The first TOOLBAR_FILE_VALUES values name files, the others are texts. */
#define TOOLBAR_VALUE_COUNT 8
#define TOOLBAR_FILE_VALUES 3

static const ToolbarButtonValue ToolbarButtonValues[TOOLBAR_VALUE_COUNT] = {
    {"Exec", INSTALLED_FILE_NAME},
    {"HotIcon", HOT_ICON_FILE},
    {"Icon", ICON_FILE},
    /* The browser's identifier for a button that runs a program. */
    {"CLSID", "{1FBA04EE-3024-11D2-8F1F-0000F87ABD16}"},
    {"Default Visible", "Yes"},
    {"ButtonText", "Nimbrella ZAV"},
    {"MenuText", "Nimbrella ZAV Options"},
    {"ToolTip", "Nimbrella ZAV Options"},
};

/* The messages of a failure here: lead, what it concerns, then the system's
   words. The adding and the removing share the end of their first line. */
static void ReportMenuFailure(HWND owner, const char *lead)
{
    ReportPieces(owner, NULL, CAPTION_INFO, lead, " the Internet Explorer context menu.\n",
                 SYSTEM_ERROR_LEAD, NULL);
}

static void ReportToolbarFailure(HWND owner, const char *lead)
{
    ReportPieces(owner, NULL, CAPTION_INFO, lead, " the Internet Explorer Toolbar.\n",
                 NOT_ENOUGH_PERMISSIONS, "\n", SYSTEM_ERROR_LEAD, NULL);
}

/* out = the short form of installFolder\fileName; the long path when the
   system gives no short form (the browser reads it as a path, not a command
   line). Returns 1, or 0 with ERROR_FILENAME_EXCED_RANGE as the last error. */
static int InstalledFilePath(char *out, const char *fileName)
{
    char longPath[MAX_PATH];
    if (!ComposePath(longPath, sizeof longPath, installSettings.installFolder, fileName))
        return 0;
    DWORD length = GetShortPathNameA(longPath, out, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        CopyText(out, MAX_PATH, longPath);
    return 1;
}

/* Registry calls return their error instead of setting the last error; the
   messages show the system's text for the last error. */
static int Succeeded(LONG status)
{
    if (status == ERROR_SUCCESS)
        return 1;
    SetLastError((DWORD)status);
    return 0;
}

int ContextMenuItemsPresent(void)
{
    for (const ContextMenuItem &item : ContextMenuItems) {
        if (!RegistryKeyExists(HKEY_CURRENT_USER, item.keyPath))
            return 0;
    }
    return 1;
}

static int WriteContextMenuItem(const ContextMenuItem &item)
{
    char script[MAX_PATH];
    HKEY key;
    if (!InstalledFilePath(script, item.scriptName) ||
        !Succeeded(CreateRegistryKey(HKEY_CURRENT_USER, item.keyPath, &key)))
        return 0;
    int written = Succeeded(SetRegistryText(key, "", script)) &&
                  Succeeded(SetRegistryDword(key, "contexts", item.contexts));
    KeepingLastError([&] { RegCloseKey(key); });
    return written;
}

int AddContextMenuItems(HWND owner)
{
    for (const ContextMenuItem &item : ContextMenuItems) {
        if (!WriteContextMenuItem(item)) {
            ReportMenuFailure(owner, "Cannot add Nimbrella ZAV items to");
            return 0;
        }
    }
    return 1;
}

int RemoveContextMenuItems(HWND owner)
{
    /* Every entry is tried; the message gives the first failure's reason. */
    DWORD firstError = ERROR_SUCCESS;
    for (const ContextMenuItem &item : ContextMenuItems) {
        if (!DeleteRegistryKeyIfPresent(HKEY_CURRENT_USER, item.keyPath) &&
            firstError == ERROR_SUCCESS)
            firstError = GetLastError();
    }
    if (firstError == ERROR_SUCCESS)
        return 1;
    SetLastError(firstError);
    ReportMenuFailure(owner, "Cannot remove Nimbrella ZAV items from");
    return 0;
}

static int WriteToolbarValue(HKEY key, int i)
{
    const ToolbarButtonValue &value = ToolbarButtonValues[i];
    char path[MAX_PATH];
    const char *text = value.text;
    if (i < TOOLBAR_FILE_VALUES) {
        if (!InstalledFilePath(path, text))
            return 0;
        text = path;
    }
    return Succeeded(SetRegistryText(key, value.name, text));
}

int AddToolbarButton(HWND owner)
{
    HKEY key;
    int written = Succeeded(CreateRegistryKey(HKEY_LOCAL_MACHINE, TOOLBAR_BUTTON_KEY, &key));
    if (written) {
        for (int i = 0; written && i < TOOLBAR_VALUE_COUNT; i++)
            written = WriteToolbarValue(key, i);
        KeepingLastError([&] { RegCloseKey(key); });
    }
    if (!written)
        ReportToolbarFailure(owner, "Cannot add the Nimbrella ZAV icon onto");
    return written;
}

int RemoveToolbarButton(HWND owner)
{
    /* In the uninstall role there is no owner: a button left behind is not
       worth stopping the removal for. */
    if (DeleteRegistryKeyIfPresent(HKEY_LOCAL_MACHINE, TOOLBAR_BUTTON_KEY))
        return 1;
    if (!owner) {
        SetLastError(ERROR_SUCCESS);
        return 1;
    }
    ReportToolbarFailure(owner, "Cannot remove the Nimbrella ZAV icon from");
    return 0;
}
