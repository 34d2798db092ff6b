/* What the install sequence found before it changed anything, and the taking
   back of a failed run. Each note is taken just before the step that may
   change its object, so that what a run noted is exactly what it reached;
   the context-menu keys, the toolbar key, the prefixes and the links are
   written only after the last step that can stop, and are never noted. */
#include "install/PriorState.h"
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
    BYTE *bytes; /* local memory */
    DWORD size;
};

/* Longest value of the uninstall entry that is noted; one longer than that
   counts as unreadable. */
#define ENTRY_VALUE_SIZE 1024

/* A value of the uninstall entry: status ERROR_SUCCESS when it was there,
   ERROR_FILE_NOT_FOUND when not, any other when it could not be read. */
struct PriorValue {
    LONG status;
    DWORD type;
    DWORD size;
    BYTE data[ENTRY_VALUE_SIZE];
};

static const char *const EntryValueNames[] = {DISPLAY_NAME_VALUE, UNINSTALL_STRING_VALUE};
#define ENTRY_VALUE_COUNT 2

/* Everything noted in the current run. */
static struct {
    /* NMZAV.EXE and the carried files. */
    PriorFile files[MANIFEST_COUNT + 1];
    int fileCount;
    /* Length of the leading part of installFolder that existed as folders,
       once the folders were noted (foldersNoted). */
    int foldersNoted;
    size_t existingFolderLength;
    /* The uninstall entry, once noted: how opening it went, then its values. */
    int entryNoted;
    LONG entryStatus;
    PriorValue values[ENTRY_VALUE_COUNT];
} prior;

void ForgetPriorState(void)
{
    for (PriorFile &file : prior.files)
        FreeBytes(file.bytes);
    memset(&prior, 0, sizeof prior);
}

/* Cuts path at its last backslash, going to the folder above; 0 when only
   the drive prefix (such as C:\) would be left. */
static int GoUp(char *path)
{
    char *cut = LastBackslash(path);
    if (!cut || cut - path < 3)
        return 0;
    *cut = '\0';
    return 1;
}

void NotePriorFolders(void)
{
    char part[MAX_PATH];
    CopyText(part, sizeof part, installSettings.installFolder);
    /* From the install folder outwards: the first that exists has all of
       its parents. */
    do {
        if (IsFolder(part)) {
            prior.existingFolderLength = TextLength(part);
            break;
        }
    } while (GoUp(part));
    prior.foldersNoted = 1;
}

int NotePriorFile(const char *fileName)
{
    PriorFile &noted = prior.files[prior.fileCount];
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
    prior.fileCount++;
    return 1;
}

static void NoteValue(HKEY key, const char *name, PriorValue *value)
{
    value->size = sizeof value->data;
    value->status = RegQueryValueExA(key, name, NULL, &value->type, value->data, &value->size);
}

void NotePriorUninstallEntry(void)
{
    HKEY key;
    prior.entryNoted = 1;
    prior.entryStatus = RegOpenKeyExA(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, 0, KEY_QUERY_VALUE, &key);
    if (prior.entryStatus != ERROR_SUCCESS)
        return;
    for (int i = 0; i < ENTRY_VALUE_COUNT; i++)
        NoteValue(key, EntryValueNames[i], &prior.values[i]);
    RegCloseKey(key);
}

static int Unchanged(const PriorFile &noted, const char *path)
{
    BYTE *bytes;
    DWORD size;
    if (GetFileAttributesA(path) != noted.attributes || !ReadWholeFile(path, &bytes, &size))
        return 0;
    int same = size == noted.size;
    for (DWORD i = 0; same && i < size; i++)
        same = bytes[i] == noted.bytes[i];
    FreeBytes(bytes);
    return same;
}

/* A file the run created goes; one it may have replaced gets its bytes and
   attributes back. */
static int PutBackFile(const PriorFile &noted, const char *path)
{
    if (!noted.existed)
        return !IsFile(path) || DeleteFileA(path);
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
    char part[MAX_PATH];
    int removed = 1;
    CopyText(part, sizeof part, installSettings.installFolder);
    do {
        if (TextLength(part) <= prior.existingFolderLength)
            break;
        if (!IsFolder(part) || RemoveDirectoryA(part))
            continue;
        DWORD error = GetLastError();
        if (error == ERROR_DIR_NOT_EMPTY)
            continue;
        *failure = error;
        removed = 0;
        ListInMessage(list, REPORT_BUFFER_SIZE, part, NULL);
    } while (GoUp(part));
    return removed;
}

static LONG PutBackValues(void)
{
    HKEY key;
    LONG status = RegOpenKeyExA(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, 0, KEY_SET_VALUE, &key);
    if (status != ERROR_SUCCESS)
        return status;
    for (int i = 0; i < ENTRY_VALUE_COUNT && status == ERROR_SUCCESS; i++) {
        const PriorValue &value = prior.values[i];
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
    if (!prior.entryNoted)
        return 1;
    if (prior.entryStatus == ERROR_FILE_NOT_FOUND)
        return DeleteRegistryKeyIfPresent(HKEY_LOCAL_MACHINE, UNINSTALL_KEY);
    LONG status = prior.entryStatus == ERROR_SUCCESS ? PutBackValues() : prior.entryStatus;
    SetLastError((DWORD)status);
    return status == ERROR_SUCCESS;
}

int TakeBackFailedInstall(HWND owner)
{
    char list[REPORT_BUFFER_SIZE] = CANNOT_PUT_BACK;
    DWORD failure = ERROR_SUCCESS;
    int whole = 1;
    for (int i = 0; i < prior.fileCount; i++) {
        char path[MAX_PATH];
        ComposePath(path, sizeof path, installSettings.installFolder, prior.files[i].fileName);
        if (PutBackFile(prior.files[i], path))
            continue;
        failure = GetLastError();
        whole = 0;
        ListInMessage(list, sizeof list, path, NULL);
    }
    if (prior.foldersNoted && !RemoveMadeFolders(list, &failure))
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
