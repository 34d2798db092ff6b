/* What the install sequence found before it changed anything, and the taking
   back of a failed run. Each note is taken just before the step that may
   change its object, so that what a run noted is exactly what it reached;
   the context-menu keys, the toolbar key, the prefixes and the links are
   written only after the last step that can stop, and are never noted. */
#include "install/PriorState.h"
#include "install/FilePlacement.h"
#include "install/UninstallRecord.h"
#include "app/Files.h"
#include "app/Globals.h"
#include "app/Registry.h"
#include "app/Report.h"
#include "app/Text.h"
#include <string.h>

#define CANNOT_PUT_BACK                                                                   \
    "Cannot undo the failed installation of Nimbrella ZAV. These could not be put back " \
    "as they were:\n"

/* Attributes SetFileAttributesA takes; the others are the system's own. */
#define SETTABLE_ATTRIBUTES                                                                \
    (FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_NORMAL |            \
     FILE_ATTRIBUTE_NOT_CONTENT_INDEXED | FILE_ATTRIBUTE_OFFLINE | FILE_ATTRIBUTE_READONLY | \
     FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_TEMPORARY)

/* A file of the install folder as the run found it. */
struct PriorFile {
    const char *fileName;
    int existed;
    DWORD attributes;
    BYTE *bytes; /* process heap */
    DWORD size;
};

/* A value of the uninstall entry: status ERROR_SUCCESS when it was there,
   ERROR_FILE_NOT_FOUND when not, any other when it could not be read. */
struct PriorValue {
    LONG status;
    DWORD type;
    BYTE *data; /* process heap */
    DWORD size;
};

static const char *const EntryValueNames[] = {DISPLAY_NAME_VALUE, UNINSTALL_STRING_VALUE};
#define ENTRY_VALUE_COUNT 2

/* NMZAV.EXE and the carried files. */
static PriorFile priorFiles[MANIFEST_COUNT + 1];
static int priorFileCount;
/* Length of the leading part of installFolder that existed as folders, once
   the folders were noted (foldersNoted). */
static int foldersNoted;
static size_t existingFolderLength;
/* The uninstall entry, once noted: how opening it went, then its values. */
static int entryNoted;
static LONG entryStatus;
static PriorValue priorValues[ENTRY_VALUE_COUNT];

void ForgetPriorState(void)
{
    for (int i = 0; i < priorFileCount; i++)
        FreeBytes(priorFiles[i].bytes);
    for (PriorValue &value : priorValues)
        FreeBytes(value.data);
    memset(priorFiles, 0, sizeof priorFiles);
    memset(priorValues, 0, sizeof priorValues);
    priorFileCount = 0;
    foldersNoted = 0;
    existingFolderLength = 0;
    entryNoted = 0;
}

static int IsFolder(const char *path)
{
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

/* The leading part of path that ends at level (a length), in out. */
static void LeadingPart(char *out, const char *path, size_t level)
{
    memcpy(out, path, level);
    out[level] = '\0';
}

void NotePriorFolders(void)
{
    const char *folder = installSettings.installFolder;
    size_t ends[MAX_PATH];
    char part[MAX_PATH];
    /* From the install folder outwards: the first that exists has all of
       its parents. */
    for (int i = FolderLevels(folder, ends) - 1; i >= 0; i--) {
        LeadingPart(part, folder, ends[i]);
        if (IsFolder(part)) {
            existingFolderLength = ends[i];
            break;
        }
    }
    foldersNoted = 1;
}

int NotePriorFile(const char *fileName)
{
    PriorFile &noted = priorFiles[priorFileCount];
    char path[MAX_PATH];
    if (!ComposePath(path, sizeof path, installSettings.installFolder, fileName))
        return 0;
    noted.fileName = fileName;
    noted.attributes = GetFileAttributesA(path);
    if (noted.attributes == INVALID_FILE_ATTRIBUTES) {
        DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND)
            return 0;
    } else if (!(noted.attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        if (!ReadWholeFile(path, &noted.bytes, &noted.size))
            return 0;
        noted.existed = 1;
    }
    /* A folder of that name is not the run's to change: writing there fails. */
    priorFileCount++;
    return 1;
}

static void NoteValue(HKEY key, const char *name, PriorValue *value)
{
    DWORD size = 0;
    value->status = RegQueryValueExA(key, name, NULL, &value->type, NULL, &size);
    if (value->status != ERROR_SUCCESS || size == 0)
        return;
    value->data = (BYTE *)HeapAlloc(GetProcessHeap(), 0, size);
    if (!value->data) {
        value->status = ERROR_NOT_ENOUGH_MEMORY;
        return;
    }
    value->size = size;
    value->status = RegQueryValueExA(key, name, NULL, &value->type, value->data, &value->size);
}

void NotePriorUninstallEntry(void)
{
    HKEY key;
    entryNoted = 1;
    entryStatus = RegOpenKeyExA(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, 0, KEY_QUERY_VALUE, &key);
    if (entryStatus != ERROR_SUCCESS)
        return;
    for (int i = 0; i < ENTRY_VALUE_COUNT; i++)
        NoteValue(key, EntryValueNames[i], &priorValues[i]);
    RegCloseKey(key);
}

static int Unchanged(const PriorFile &noted, const char *path)
{
    BYTE *bytes;
    DWORD size;
    if (GetFileAttributesA(path) != noted.attributes || !ReadWholeFile(path, &bytes, &size))
        return 0;
    int same = size == noted.size && (size == 0 || memcmp(bytes, noted.bytes, size) == 0);
    FreeBytes(bytes);
    return same;
}

/* A file the run created goes; one it may have replaced gets its bytes and
   attributes back. */
static int PutBackFile(const PriorFile &noted, const char *path)
{
    if (!noted.existed) {
        DWORD attributes = GetFileAttributesA(path);
        return attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) ||
               DeleteFileA(path);
    }
    if (Unchanged(noted, path))
        return 1;
    SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
    return WriteWholeFile(path, noted.bytes, noted.size, 0, FILE_ATTRIBUTE_NORMAL) &&
           SetFileAttributesA(path, noted.attributes & SETTABLE_ATTRIBUTES);
}

/* Removes the folders the run made, innermost first; one that is not empty
   holds something that is not the run's and stays without a word. */
static int RemoveMadeFolders(char *list, DWORD *failure)
{
    const char *folder = installSettings.installFolder;
    size_t ends[MAX_PATH];
    char part[MAX_PATH];
    int removed = 1;
    for (int i = FolderLevels(folder, ends) - 1; i >= 0 && ends[i] > existingFolderLength;
         i--) {
        LeadingPart(part, folder, ends[i]);
        if (!IsFolder(part) || RemoveDirectoryA(part))
            continue;
        DWORD error = GetLastError();
        if (error == ERROR_DIR_NOT_EMPTY)
            continue;
        *failure = error;
        removed = 0;
        ListInMessage(list, REPORT_BUFFER_SIZE, part, NULL);
    }
    return removed;
}

static LONG PutBackValues(void)
{
    HKEY key;
    LONG status = RegOpenKeyExA(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, 0, KEY_SET_VALUE, &key);
    if (status != ERROR_SUCCESS)
        return status;
    for (int i = 0; i < ENTRY_VALUE_COUNT && status == ERROR_SUCCESS; i++) {
        const PriorValue &value = priorValues[i];
        if (value.status == ERROR_SUCCESS)
            status = RegSetValueExA(key, EntryValueNames[i], 0, value.type, value.data,
                                    value.size);
        else if (value.status == ERROR_FILE_NOT_FOUND)
            status = RegDeleteValueA(key, EntryValueNames[i]);
        else
            status = value.status;
        if (status == ERROR_FILE_NOT_FOUND)
            status = ERROR_SUCCESS;
    }
    RegCloseKey(key);
    return status;
}

/* The entry goes when the run made it, or gets its two values back. */
static int PutBackUninstallEntry(void)
{
    if (!entryNoted)
        return 1;
    if (entryStatus == ERROR_FILE_NOT_FOUND)
        return DeleteRegistryKeyIfPresent(HKEY_LOCAL_MACHINE, UNINSTALL_KEY);
    LONG status = entryStatus == ERROR_SUCCESS ? PutBackValues() : entryStatus;
    SetLastError((DWORD)status);
    return status == ERROR_SUCCESS;
}

int TakeBackFailedInstall(HWND owner)
{
    char list[REPORT_BUFFER_SIZE] = CANNOT_PUT_BACK;
    DWORD failure = ERROR_SUCCESS;
    int whole = 1;
    for (int i = 0; i < priorFileCount; i++) {
        char path[MAX_PATH];
        ComposePath(path, sizeof path, installSettings.installFolder, priorFiles[i].fileName);
        if (PutBackFile(priorFiles[i], path))
            continue;
        failure = GetLastError();
        whole = 0;
        ListInMessage(list, sizeof list, path, NULL);
    }
    if (foldersNoted && !RemoveMadeFolders(list, &failure))
        whole = 0;
    if (!PutBackUninstallEntry()) {
        failure = GetLastError();
        whole = 0;
        ListInMessage(list, sizeof list, "HKEY_LOCAL_MACHINE", UNINSTALL_KEY);
    }
    ForgetPriorState();
    if (whole)
        return 1;
    AppendText(list, sizeof list, "\nThe system error message:\n");
    SetLastError(failure);
    ReportInstallError(owner, list, NULL);
    return 0;
}
