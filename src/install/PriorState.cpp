/* What the install sequence found before it changed anything, and the taking
   back of a failed run. The folders are noted as they are made, NMZAV.EXE
   and the carried files before the first of them is written, the uninstall
   entry just before it is; the context-menu keys, the toolbar key, the
   prefixes and the links are written only after the last step that can
   stop, and are never noted. A file the run replaces is kept as a copy on
   the same disk before anything is written, and taken back by a rename:
   putting it back needs no room and writes no byte, and its only copy is
   never held in memory alone. */
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

/* The record of the kept originals, a file of the install folder: it is
   written before the first copy is made and deleted only once the run is in
   place or taken back whole, so that a run cut short (a power loss, a process
   ended) is taken back by the next start. It holds numbers only: the name of
   each kept original is made from them by GetTempFileNameA, always in the
   install folder, so that nothing else is ever taken for one. */
#define KEPT_RECORD_NAME "TAKEBACK.DAT"
#define IN_PLACE 2

struct KeptRecord {
    /* NMZAV.EXE, then the carried files in FileManifest's order: the unique
       number of the name its original is kept under, 0 when there was none. */
    WORD kept[MANIFEST_COUNT + 1];
    /* 1 from just before the original takes its whole copy's name; while
       0, the copy may be part of one, and the original is still under its
       own name (unless a power loss kept the rename and lost this write).
       IN_PLACE once the run is complete: what is kept only goes. */
    BYTE moved[MANIFEST_COUNT + 1];
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

/* Index of the record among the paths below, after the placed files. */
#define RECORD_INDEX (MANIFEST_COUNT + 1)

/* Everything noted in the current run. */
static struct {
    KeptRecord record;
    /* 1 once every placed file was noted: a file without an original is
       then the run's own */
    int filesNoted;
    /* Length of the leading part of installFolder that existed as folders,
       once the folders were noted (foldersNoted). */
    int foldersNoted;
    size_t existingFolderLength;
    /* The uninstall entry, once noted: whether it was there, and its values. */
    int entryNoted;
    LONG entryStatus;
    PriorValue values[ENTRY_VALUE_COUNT];
    /* installFolder\NMZAV.EXE, the carried files, then the record. */
    char path[RECORD_INDEX + 1][MAX_PATH];
    /* The names the record's numbers give, empty where there is none; then
       the record's path, once it is this run's or a cut run's that was read. */
    char kept[RECORD_INDEX + 1][MAX_PATH];
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

int NoteMadeFolder(size_t parentLength)
{
    if (!prior.foldersNoted) {
        prior.foldersNoted = 1;
        prior.existingFolderLength = parentLength;
    }
    return 1;
}

/* Name of placed file i: NMZAV.EXE, then the carried files, then the
   record. */
static const char *PlacedName(int i)
{
    return i == RECORD_INDEX ? KEPT_RECORD_NAME : i ? FileManifest[i - 1].fileName
                                                     : INSTALLED_FILE_NAME;
}

/* Fills in the paths of the placed files and the record; 0 when the install
   folder leaves no room for them. */
static int NamePaths(void)
{
    for (int i = 0; i <= RECORD_INDEX; i++)
        if (!ComposePath(prior.path[i], MAX_PATH, installSettings.installFolder, PlacedName(i)))
            return 0;
    return 1;
}

/* The name placed file i's original is kept under (its path filled in
   first): the install folder, the first three letters of its name and the
   record's number, as GetTempFileNameA composes them (the number is never
   0, with which that call would make a file). Left empty when there is
   none, or when it cannot be composed. */
static int NameKept(int i)
{
    prior.kept[i][0] = '\0';
    return !prior.record.kept[i] ||
           GetTempFileNameA(installSettings.installFolder, LastBackslash(prior.path[i]) + 1,
                            prior.record.kept[i], prior.kept[i]);
}

/* Writes the record: made anew (CREATE_NEW), or written over in place
   (OPEN_EXISTING), never cut to nothing first, so that a run ended at any
   point leaves it whole, old or new, or empty before its first write. */
static int WriteRecord(DWORD creation)
{
    return WriteWholeFile(prior.path[RECORD_INDEX], &prior.record, sizeof prior.record,
                          creation);
}

/* Notes placed file i and, when it exists, chooses a free name for its
   copy. Numbers 16 apart never meet those of another file with the same
   first letters, nor 0; when all 4096 names are taken, the run stops. */
static int NotePriorFile(int i)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(prior.path[i], &found);
    if (search == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    }
    FindClose(search);
    /* A folder of that name is not the run's to change: writing there
       fails. */
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return 1;
    /* One of 4 GiB or more is no file an installation of this program
       wrote, and a copy of it would take as much room again: it is not
       replaced. */
    if (found.nFileSizeHigh) {
        SetLastError(ERROR_FILE_TOO_LARGE);
        return 0;
    }
    prior.record.kept[i] = (WORD)(i + 1);
    do {
        if (!NameKept(i))
            return 0;
        if (GetFileAttributesA(prior.kept[i]) == INVALID_FILE_ATTRIBUTES)
            return 1;
        prior.record.kept[i] += 16;
    } while (prior.record.kept[i] > 16);
    SetLastError(ERROR_FILE_EXISTS);
    return 0;
}

/* 1 when another program has path open in a way that refuses writing to it,
   as the system does with a program that runs (the installed NMZAV.EXE): a
   rename would move it, still running, out of its name. */
static int HeldByAnother(const char *path)
{
    HANDLE file = CreateFileA(path, GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                              OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_SHARING_VIOLATION;
    CloseHandle(file);
    return 0;
}

/* The original of placed file i takes the name of its whole copy, which
   goes: its own name is then free for the run's file without a deletion
   (after which Windows may keep a name taken while another program has the
   file open), the original keeps its attributes and links, and a name that
   is another name of a user's file is not written through. One held by
   another program stays, to refuse the write as it would have anyway. */
static int MakeWay(int i)
{
    if (HeldByAnother(prior.path[i]))
        return 1;
    prior.record.moved[i] = 1;
    return WriteRecord(OPEN_EXISTING) && DeleteOwnFile(prior.kept[i]) &&
           MoveFileA(prior.path[i], prior.kept[i]);
}

int KeepPriorFiles(void)
{
    if (!NamePaths())
        return 0;
    for (int i = 0; i <= MANIFEST_COUNT; i++)
        if (!NotePriorFile(i))
            return 0;
    /* The record names every copy before the first is made; a file of its
       name that is not this program's stays untouched, and stops the run. */
    if (!WriteRecord(CREATE_NEW))
        return 0;
    CopyText(prior.kept[RECORD_INDEX], MAX_PATH, prior.path[RECORD_INDEX]);
    for (int i = 0; i <= MANIFEST_COUNT; i++)
        if (prior.kept[i][0] && !CopyFileA(prior.path[i], prior.kept[i], TRUE))
            return 0;
    prior.filesNoted = 1;
    for (int i = 0; i <= MANIFEST_COUNT; i++)
        if (prior.kept[i][0] && !MakeWay(i))
            return 0;
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

/* Puts placed file i back: one the run created goes; a kept original is
   renamed back, or its copy deleted where the original never left, where
   the run was complete, or, in the uninstall, where it is the original of
   the running NMZAV.EXE, which the uninstall removes as well. A file
   at an original's name goes only while the original is still kept, so
   that a take-back cut short and run again never deletes one; it is first
   renamed aside (the kept name with "~" at its end), since a deleted file's
   name may stay taken, but not while another program holds it, and one
   left aside by a take-back cut short goes.
   What cannot be put back is listed, with the name its original is kept
   under beside it. */
static void PutBackFile(int i, char *list, DWORD *failure)
{
    const char *path = prior.path[i];
    const char *kept = prior.kept[i];
    const char *left = path;
    char aside[MAX_PATH];
    int back = 1;
    if (!kept[0]) {
        if (prior.filesNoted && IsFile(path))
            back = DeleteOwnFile(path);
    } else if (IsFile(kept)) {
        if ((prior.record.moved[i] != 1 || (!i && uninstallMode)) && IsFile(path)) {
            left = kept;
            back = DeleteOwnFile(kept);
        } else {
            CopyText(aside, sizeof aside, kept);
            aside[TextLength(aside) - 1] = '~';
            back = (!IsFile(aside) || DeleteOwnFile(aside)) &&
                   (!IsFile(path) || (!HeldByAnother(path) && MoveFileA(path, aside) &&
                                      DeleteOwnFile(aside))) &&
                   MoveFileA(kept, path);
        }
    }
    if (back)
        return;
    *failure = GetLastError();
    ListInMessage(list, REPORT_BUFFER_SIZE, left, KEPT_AS,
                  left == path && kept[0] ? LastBackslash(prior.kept[i]) + 1 : NULL);
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

/* A cut run's record in the install folder, when there is one, stands for
   what this run noted of its files; only a file of a record's exact size
   counts as one, or an empty one, which a run ended before it named any
   copy left. */
static void ReadRecord(void)
{
    BYTE *bytes;
    DWORD size;
    if (!ReadWholeFile(prior.path[RECORD_INDEX], &bytes, &size))
        return;
    if (size == sizeof prior.record)
        memcpy(&prior.record, bytes, sizeof prior.record);
    if (size == sizeof prior.record || size == 0)
        CopyText(prior.kept[RECORD_INDEX], MAX_PATH, prior.path[RECORD_INDEX]);
    FreeBytes(bytes);
}

/* Deletes the kept originals from first on and then the record (while it
   is there, a run cut short still finds every original it names), listing
   each that cannot be deleted. */
static void DropKept(int first, char *list, DWORD *failure)
{
    for (int i = first; i <= RECORD_INDEX; i++)
        if (prior.kept[i][0] && !DeleteOwnFile(prior.kept[i])) {
            *failure = GetLastError();
            ListInMessage(list, REPORT_BUFFER_SIZE, prior.kept[i], NULL, NULL);
        }
}

void DropKeptOriginals(HWND owner)
{
    char list[REPORT_BUFFER_SIZE];
    DWORD failure = ERROR_SUCCESS;
    CopyText(list, sizeof list, DELETE_FAILED);
    /* A start after a cut from here on deletes what is still kept, and puts
       back nothing over the complete run. */
    memset(prior.record.moved, IN_PLACE, sizeof prior.record.moved);
    WriteRecord(OPEN_EXISTING);
    DropKept(0, list, &failure);
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
    if (NamePaths()) {
        ReadRecord();
        /* The files the run created go first, then the originals come
           back; the record goes once every one is back, before the folders
           it would keep. */
        for (int pass = 0; pass < 2; pass++)
            for (int i = 0; i <= MANIFEST_COUNT; i++)
                if (NameKept(i) && (prior.kept[i][0] != '\0') == pass)
                    PutBackFile(i, list, &failure);
        if (failure == ERROR_SUCCESS)
            DropKept(RECORD_INDEX, list, &failure);
    }
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
