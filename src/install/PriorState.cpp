/* What the install sequence found before it changed anything, and the taking
   back of a failed run. The folders, NMZAV.EXE and the carried files are
   noted before the first of them is written, the uninstall entry just before
   it is; the context-menu keys, the toolbar key, the prefixes and the links
   are written only after the last step that can stop, and are never noted.
   A file the run replaces is kept as a copy on the same disk before anything
   is written, and taken back by a rename: putting it back needs no room and
   writes no byte, and its only copy is never held in memory alone. */
#include "install/PriorState.h"
#include "install/UninstallRecord.h"
#include "app/Files.h"
#include "app/Globals.h"
#include "app/Product.h"
#include "app/Registry.h"
#include "app/Report.h"
#include "app/Text.h"
#include <string.h>

#define CANNOT_PUT_BACK                                                                   \
    "Cannot undo the failed installation of Nimbrella ZAV. These could not be put back " \
    "as they were:\n"
#define KEPT_AS ": its original is kept as "

/* Attributes SetFileAttributesA takes; the others are the system's own. */
#define SETTABLE_ATTRIBUTES                                                                \
    (FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_NORMAL |            \
     FILE_ATTRIBUTE_NOT_CONTENT_INDEXED | FILE_ATTRIBUTE_OFFLINE | FILE_ATTRIBUTE_READONLY | \
     FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_TEMPORARY)

/* A file of the install folder as the run found it. */
struct PriorFile {
    int noted;          /* 1 from its note until it is back */
    DWORD attributes;   /* the original's, when there was one */
    char kept[MAX_PATH]; /* the kept copy of the original; empty: there was none */
};

/* Longest value of the uninstall entry that is noted; one longer than that
   cannot be noted. */
#define ENTRY_VALUE_SIZE 1024

/* A value of the uninstall entry: status ERROR_SUCCESS when it was there,
   ERROR_FILE_NOT_FOUND when not. */
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
    /* NMZAV.EXE, then the carried files in FileManifest's order. */
    PriorFile files[MANIFEST_COUNT + 1];
    /* Length of the leading part of installFolder that existed as folders,
       once the folders were noted (foldersNoted). */
    int foldersNoted;
    size_t existingFolderLength;
    /* The uninstall entry, once noted: whether it was there, and its values. */
    int entryNoted;
    LONG entryStatus;
    PriorValue values[ENTRY_VALUE_COUNT];
} prior;

void ForgetPriorState(void)
{
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

/* installFolder\<name of placed file i>: NMZAV.EXE, then the carried files. */
static int PlacedFilePath(char *path, int i)
{
    return ComposePath(path, MAX_PATH, installSettings.installFolder,
                       i ? FileManifest[i - 1].fileName : INSTALLED_FILE_NAME);
}

/* Notes placed file i, keeping a copy of it when it exists. The copy gets a
   name GetTempFileNameA has just created in the install folder, so that it
   overwrites nothing; its first three letters are the original's. */
static int KeepPriorFile(int i)
{
    PriorFile &noted = prior.files[i];
    char path[MAX_PATH];
    WIN32_FIND_DATAA found;
    if (!PlacedFilePath(path, i))
        return 0;
    HANDLE search = FindFirstFileA(path, &found);
    if (search != INVALID_HANDLE_VALUE) {
        FindClose(search);
        /* A folder of that name is not the run's to change: writing there
           fails. */
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            /* The take-back compares the file with its copy whole, in memory. */
            if (found.nFileSizeHigh) {
                SetLastError(ERROR_FILE_TOO_LARGE);
                return 0;
            }
            noted.attributes = found.dwFileAttributes;
            if (!GetTempFileNameA(installSettings.installFolder, LastBackslash(path) + 1, 0,
                                  noted.kept))
                return 0;
            if (!CopyFileA(path, noted.kept, FALSE)) {
                KeepingLastError([&] { DeleteFileA(noted.kept); });
                return 0;
            }
        }
    } else {
        DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND)
            return 0;
    }
    noted.noted = 1;
    return 1;
}

int KeepPriorFiles(void)
{
    for (int i = 0; i <= MANIFEST_COUNT; i++)
        if (!KeepPriorFile(i))
            return 0;
    /* Once every original is kept, each goes where it can, so that the run
       writes a file of its own, not through a link of that name to another
       file, and Windows refuses it no read-only or hidden file in the way.
       One that cannot go (the running NMZAV.EXE) stays, to be written over
       or to refuse the write as it would have anyway. */
    for (int i = 0; i <= MANIFEST_COUNT; i++) {
        char path[MAX_PATH];
        if (prior.files[i].kept[0] && PlacedFilePath(path, i))
            DeleteOwnFile(path);
    }
    return 1;
}

int NotePriorUninstallEntry(void)
{
    HKEY key;
    LONG status = RegOpenKeyExA(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, 0, KEY_QUERY_VALUE, &key);
    prior.entryStatus = status;
    if (status == ERROR_SUCCESS) {
        for (int i = 0; i < ENTRY_VALUE_COUNT; i++) {
            PriorValue &value = prior.values[i];
            value.size = sizeof value.data;
            value.status = RegQueryValueExA(key, EntryValueNames[i], NULL, &value.type,
                                            value.data, &value.size);
            if (value.status != ERROR_FILE_NOT_FOUND && value.status != ERROR_SUCCESS)
                status = value.status;
        }
        RegCloseKey(key);
    }
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
        SetLastError((DWORD)status);
        return 0;
    }
    prior.entryNoted = 1;
    return 1;
}

/* 1 when the file at path holds the bytes of its kept copy: the run never
   replaced it. Whatever cannot be read counts as replaced. */
static int Unchanged(const PriorFile &noted, const char *path)
{
    BYTE *now, *kept;
    DWORD nowSize, keptSize;
    if (!ReadWholeFile(path, &now, &nowSize))
        return 0;
    int same = ReadWholeFile(noted.kept, &kept, &keptSize) && keptSize == nowSize;
    for (DWORD i = 0; same && i < nowSize; i++)
        same = now[i] == kept[i];
    FreeBytes(now);
    FreeBytes(kept);
    return same;
}

/* Puts placed file i back: one the run created goes; one it replaced is
   deleted and its kept original renamed back, with its attributes; one it
   never replaced gets its attributes back and loses its kept copy. Once it
   is back its note is done with, so that a take-back cut short by a fault
   can be run again; what cannot be put back is listed, with the name its
   original is kept under beside it. */
static void PutBackFile(int i, char *list, DWORD *failure)
{
    PriorFile &noted = prior.files[i];
    char path[MAX_PATH];
    const char *left = path;
    const char *kept = noted.kept[0] ? noted.kept : NULL;
    int back;
    PlacedFilePath(path, i);
    if (kept && Unchanged(noted, path)) {
        left = kept;
        kept = NULL;
        back = SetFileAttributesA(path, noted.attributes & SETTABLE_ATTRIBUTES) &&
               DeleteOwnFile(left);
    } else {
        /* A failed copy may have left no file at all. */
        back = (!IsFile(path) || DeleteOwnFile(path)) &&
               (!kept || (MoveFileA(kept, path) &&
                          SetFileAttributesA(path, noted.attributes & SETTABLE_ATTRIBUTES)));
    }
    if (back) {
        noted.noted = 0;
        return;
    }
    *failure = GetLastError();
    ListInMessage(list, REPORT_BUFFER_SIZE, left, KEPT_AS,
                  kept && IsFile(kept) ? LastBackslash(noted.kept) + 1 : NULL);
}

/* Removes the folders the run made, innermost first; one that is not empty
   holds something that is not the run's and stays without a word. */
static void RemoveMadeFolders(char *list, DWORD *failure)
{
    char part[MAX_PATH];
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
        ListInMessage(list, REPORT_BUFFER_SIZE, part, NULL, NULL);
    } while (GoUp(part));
}

/* Every noted value goes back, also after one that fails; the result is the
   registry's status of the last failure. */
static LONG PutBackValues(void)
{
    HKEY key;
    LONG status = RegOpenKeyExA(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, 0, KEY_SET_VALUE, &key);
    if (status != ERROR_SUCCESS)
        return status;
    for (int i = 0; i < ENTRY_VALUE_COUNT; i++) {
        const PriorValue &value = prior.values[i];
        LONG put = value.status == ERROR_SUCCESS
                       ? RegSetValueExA(key, EntryValueNames[i], 0, value.type, value.data,
                                        value.size)
                       : RegDeleteValueA(key, EntryValueNames[i]);
        if (put != ERROR_SUCCESS && put != ERROR_FILE_NOT_FOUND)
            status = put;
    }
    RegCloseKey(key);
    return status;
}

/* The entry goes when the run made it, or gets its two values back. */
static int PutBackUninstallEntry(void)
{
    if (!prior.entryNoted)
        return 1;
    if (prior.entryStatus != ERROR_SUCCESS)
        return DeleteRegistryKeyIfPresent(HKEY_LOCAL_MACHINE, UNINSTALL_KEY);
    LONG status = PutBackValues();
    SetLastError((DWORD)status);
    return status == ERROR_SUCCESS;
}

void DropKeptOriginals(HWND owner)
{
    char list[REPORT_BUFFER_SIZE];
    DWORD failure = ERROR_SUCCESS;
    CopyText(list, sizeof list, DELETE_FAILED);
    for (const PriorFile &noted : prior.files)
        if (noted.kept[0] && !DeleteOwnFile(noted.kept)) {
            failure = GetLastError();
            ListInMessage(list, sizeof list, noted.kept, NULL, NULL);
        }
    ForgetPriorState();
    if (failure == ERROR_SUCCESS)
        return;
    SetLastError(failure);
    ReportMessage(owner, list, NULL, CAPTION_INSTALL_INFO);
}

int TakeBackFailedInstall(HWND owner)
{
    char list[REPORT_BUFFER_SIZE];
    DWORD failure = ERROR_SUCCESS;
    CopyText(list, sizeof list, CANNOT_PUT_BACK);
    /* The files the run created go first, then the originals come back. */
    for (int pass = 0; pass < 2; pass++)
        for (int i = 0; i <= MANIFEST_COUNT; i++)
            if (prior.files[i].noted && (prior.files[i].kept[0] != '\0') == pass)
                PutBackFile(i, list, &failure);
    if (prior.foldersNoted)
        RemoveMadeFolders(list, &failure);
    if (!PutBackUninstallEntry()) {
        failure = GetLastError();
        ListInMessage(list, sizeof list, "HKEY_LOCAL_MACHINE", "\\", UNINSTALL_KEY);
    }
    ForgetPriorState();
    if (failure == ERROR_SUCCESS)
        return 1;
    AppendText(list, sizeof list, SYSTEM_ERROR_LEAD);
    SetLastError(failure);
    ReportInstallError(owner, list, NULL);
    return 0;
}
