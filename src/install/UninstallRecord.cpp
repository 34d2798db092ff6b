/* The uninstall entry and UNINSTALL.DAT. The removal lines are collected in
   uninstallScript while the shortcuts are made, then written once at the end
   of the installation; the uninstaller later turns the file into its batch
   script, so each line must mean exactly its path to the command
   interpreter (see RemovalPath.cpp). */
#include "install/UninstallRecord.h"
#include "install/RemovalPath.h"
#include "app/Files.h"
#include "app/Globals.h"
#include "app/Registry.h"
#include "app/Report.h"
#include "app/Text.h"

static const char UninstallOtherwise[] =
    "\n\nIt will be impossible to uninstall Nimbrella ZAV through the Control Panel. However, "
    "you can uninstall it with help of the \"Start Menu\\Programs\\Nimbrella ZAV\\Uninstall "
    "Nimbrella ZAV\" command or by calling \"nmzav.exe /U\".\n";

/* Allocated size of uninstallScript, and the error of the first removal line
   that could not be added since the script was last emptied (0: none lost). */
static size_t scriptCapacity;
static DWORD lostLineError;

void EmptyUninstallScript(void)
{
    if (uninstallScript)
        LocalFree(uninstallScript);
    uninstallScript = NULL;
    scriptCapacity = 0;
    lostLineError = 0;
}

/* First size of uninstallScript: room for the lines of an ordinary
   installation; it doubles whenever a line does not fit. */
#define SCRIPT_FIRST_SIZE 2128

/* Makes room for extra characters after the current text; a failed
   allocation leaves the script as it was. */
static int ReserveScript(size_t extra)
{
    size_t used = uninstallScript ? TextLength(uninstallScript) : 0;
    size_t needed = used + extra + 1;
    if (needed <= scriptCapacity)
        return 1;
    size_t capacity = scriptCapacity ? scriptCapacity : SCRIPT_FIRST_SIZE;
    while (capacity < needed)
        capacity *= 2;
    char *grown = uninstallScript
                      ? (char *)LocalReAlloc(uninstallScript, capacity, LMEM_MOVEABLE)
                      : (char *)LocalAlloc(LMEM_ZEROINIT, capacity);
    if (!grown) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return 0;
    }
    uninstallScript = grown;
    scriptCapacity = capacity;
    return 1;
}

/* Remembers why the first lost line was lost; the last error keeps it. */
static int LoseLine(void)
{
    if (lostLineError == 0)
        lostLineError = GetLastError();
    return 0;
}

int AppendUninstallLine(const char *verb, const char *path)
{
    if (path[0] == '\0')
        return 1;
    char written[REMOVAL_PATH_SIZE];
    char line[16 + REMOVAL_PATH_SIZE];
    if (!FormatRemovalPath(written, sizeof written, path) ||
        !ComposeText(line, sizeof line, verb, " ", written, "\r\n", NULL))
        return LoseLine();
    if (!ReserveScript(TextLength(line)))
        return LoseLine();
    AppendText(uninstallScript, scriptCapacity, line);
    return 1;
}

/* Creates UNINSTALL.DAT with the collected lines and its own "del" line;
   1, or 0 with the reason as the last error, also when an earlier line was
   lost. */
static int WriteUninstallFile(void)
{
    char path[MAX_PATH];
    if (!ComposePath(path, sizeof path, installSettings.installFolder, UNINSTALL_DATA_NAME))
        return 0;
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    /* The file exists now, so its own line can carry its short form. */
    if (!AppendUninstallLine("del", path)) {
        KeepingLastError([&] { CloseHandle(file); });
        return 0;
    }
    DWORD length = (DWORD)TextLength(uninstallScript);
    CharToOemBuffA(uninstallScript, uninstallScript, length);
    if (!WriteAndClose(file, uninstallScript, length))
        return 0;
    if (lostLineError != 0) {
        SetLastError(lostLineError);
        return 0;
    }
    return 1;
}

void ReportNoUninstallInfo(HWND owner)
{
    ReportPieces(owner, NULL, CAPTION_INSTALL_INFO, "Cannot create uninstall info. ",
                 NOT_ENOUGH_PERMISSIONS, UninstallOtherwise, SYSTEM_ERROR_LEAD, NULL);
}

void WriteUninstallData(HWND owner)
{
    if (!WriteUninstallFile())
        ReportNoUninstallInfo(owner);
}

static void ReportUninstallKeyFailure(HWND owner, LONG status)
{
    SetLastError((DWORD)status);
    ReportNoUninstallInfo(owner);
}

void WriteUninstallKey(HWND owner)
{
    /* The system's list of installed programs runs this text as a command
       line: the path is quoted so that a folder with blanks stays one path. */
    /* The path of NMZAV.EXE (at most MAX_PATH - 1 characters), quoted, and
       " /U": room for exactly that much. */
    char command[MAX_PATH + 5];
    if (!ComposeText(command, sizeof command, "\"", installSettings.installFolder,
                     "\\" INSTALLED_FILE_NAME "\" /U", NULL)) {
        ReportUninstallKeyFailure(owner, ERROR_FILENAME_EXCED_RANGE);
        return;
    }

    HKEY key;
    LONG status = CreateRegistryKey(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, &key);
    if (status != ERROR_SUCCESS) {
        ReportUninstallKeyFailure(owner, status);
        return;
    }
    status = SetRegistryText(key, DISPLAY_NAME_VALUE, UNINSTALL_DISPLAY_NAME);
    if (status == ERROR_SUCCESS)
        status = SetRegistryText(key, UNINSTALL_STRING_VALUE, command);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS)
        ReportUninstallKeyFailure(owner, status);
}

int RemoveUninstallKey(HWND owner)
{
    if (DeleteRegistryKeyIfPresent(HKEY_LOCAL_MACHINE, UNINSTALL_KEY))
        return 1;
    ReportPieces(owner, "", CAPTION_INFO, UNINSTALL_FAILED,
                 " it's impossible to delete Uninstall Info.\n", NOT_ENOUGH_PERMISSIONS, NULL);
    return 0;
}
