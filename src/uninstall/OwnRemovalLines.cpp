/* The removal lines of UNINSTALL.DAT, carried out by the uninstaller itself.
   The file lies in the install folder, which any user may be able to change,
   while the uninstall runs with the rights of whoever uninstalls. So a line
   counts only when it is, byte for byte, one that an installation writes,
   when it reads as only one path, and when that path names something of the
   program's own: "del" with a file that bears the desktop link's name, or
   another link's name in a folder named like the Start Menu folder, or with
   this install folder's UNINSTALL.DAT; "rmdir" with a folder named like the
   Start Menu folder. Where these lie is not looked up, as the installing
   account's desktop and Programs folder may be another account's; a line
   added by hand can at worst remove another copy of a link of the program,
   or an empty folder of its name. What a line names is removed right where
   it was checked, never handed to another reader. */
#include "uninstall/OwnRemovalLines.h"
#include "install/RemovalPath.h"
#include "install/Shortcuts.h"
#include "install/UninstallRecord.h"
#include "app/Globals.h"
#include "app/Text.h"

/* Byte for byte, case included. */
static int SameText(const char *a, const char *b)
{
    while (*a && *a == *b) {
        a++;
        b++;
    }
    return *a == *b;
}

/* What follows verb and a blank at the start of line, or NULL. */
static const char *AfterVerb(const char *line, const char *verb)
{
    while (*verb)
        if (*line++ != *verb++)
            return NULL;
    return *line == ' ' ? line + 1 : NULL;
}

/* The path that the argument gives cmd when it is written as FormatRemovalPath
   writes one: bare, or in quotes with each % doubled. Whether it was written
   so is checked by writing the path again. 0 when it is longer than a path. */
static int ArgumentPath(const char *argument, char *path)
{
    int quoted = argument[0] == '"';
    const char *end = argument + TextLength(argument) - quoted;
    char *next = path;
    for (const char *c = argument + quoted; c < end; c++) {
        if (next == path + MAX_PATH - 1)
            return 0;
        *next++ = *c;
        if (quoted && c[0] == '%' && c[1] == '%')
            c++;
    }
    *next = '\0';
    return 1;
}

/* Whether cmd, the file system and this check all read path as the one path
   it is: no quote, which would end cmd's quotes, no wildcard of a file search
   (* ? < >), no | and no /, which GetFullPathNameA turns into a backslash; no
   component of dots only; on a drive, not another machine's share, which the
   check itself would contact with the uninstalling account's credentials;
   already the full path that GetFullPathNameA makes of it, so that nothing
   of it is folded away as text.
   Read by characters: on the East Asian code pages the second byte of a
   character may be 0x5C or 0x7C, and is neither a backslash nor a |. */
static int IsPlainPath(const char *path)
{
    const char *component = path;
    for (const char *c = path;; c = CharNextA(c)) {
        if (*c == '\\' || !*c) {
            const char *dots = component;
            while (*dots == '.')
                dots++;
            if (dots == c && c > component)
                return 0;
            component = c + 1;
        }
        if (!*c)
            break;
        for (const char *special = "\"*?<>|/"; *special; special++)
            if (*c == *special)
                return 0;
    }
    char full[MAX_PATH];
    DWORD length = GetFullPathNameA(path, sizeof full, full, NULL);
    return length > 0 && length < sizeof full && path[1] == ':' && SameText(full, path);
}

/* What a removal line may name. */
enum { NOT_OWN, OWN_ITEM, OWN_DATA };

/* Whether path names what an installation gives the verb: for "del" (del)
   the desktop link's name anywhere, a name of the other links in a folder
   named like the Start Menu folder (alone, a name such as "Read Me.lnk" may
   be another program's link), or this install folder's UNINSTALL.DAT; for
   "rmdir" a folder named like the Start Menu folder. The name is the long
   one, also for a short path. Never a reparse point: "del" with a junction
   named like a link would delete the files of the folder it leads to.
   OWN_DATA for UNINSTALL.DAT, OWN_ITEM for the others, else NOT_OWN. */
static int NamesOwnItem(int del, const char *path)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path, &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    FindClose(search);
    int folder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) || folder == del)
        return 0;
    if (!del)
        return EqualsIgnoreAsciiCase(found.cFileName, START_MENU_FOLDER_NAME);
    /* The first row is the desktop link's name too. */
    for (int i = 0; i < START_MENU_ITEM_COUNT; i++) {
        if (!EqualsIgnoreAsciiCase(found.cFileName, StartMenuItems[i].linkName))
            continue;
        char folder[MAX_PATH];
        CopyText(folder, sizeof folder, path);
        char *cut = LastBackslash(folder);
        *cut = '\0';
        return i == 0 || (cut - folder > 2 && NamesOwnItem(0, folder));
    }
    char data[MAX_PATH];
    char written[MAX_PATH];
    if (!ComposePath(data, sizeof data, installSettings.installFolder, UNINSTALL_DATA_NAME))
        return 0;
    DWORD length = GetShortPathNameA(data, written, sizeof written);
    return length > 0 && length < sizeof written && EqualsIgnoreAsciiCase(written, path)
               ? OWN_DATA
               : NOT_OWN;
}

/* line: one line of UNINSTALL.DAT in the OEM code page, end: its CR. What
   it names, with its path (MAX_PATH bytes) in the ANSI code page. */
static int OwnItemOfLine(const char *line, const char *end, char *path)
{
    /* cmd also ends an argument at a control character such as a tab, and at
       0xFF; a zero would hide the rest of the line from this check. */
    for (const char *c = line; c < end; c++)
        if ((BYTE)*c < ' ' || (BYTE)*c == 0xFF)
            return 0;
    const char *argument = AfterVerb(line, "del");
    int del = argument != NULL;
    if (!del)
        argument = AfterVerb(line, "rmdir");
    char again[8 + REMOVAL_PATH_SIZE];
    if (!argument || !ArgumentPath(argument, path))
        return 0;
    OemToCharBuffA(path, path, (DWORD)TextLength(path));
    /* The line as the installation writes it for this path, back in the OEM
       code page, must be this very line. */
    if (!IsPlainPath(path) || !CopyText(again, sizeof again, del ? "del " : "rmdir ") ||
        !AppendRemovalPath(again, sizeof again, path))
        return 0;
    CharToOemBuffA(again, again, (DWORD)TextLength(again));
    return SameText(again, line) ? NamesOwnItem(del, path) : NOT_OWN;
}

/* Removes the file that path names itself, never what it leads to. Windows'
   DeleteFileA removes a symbolic link itself, but Wine's deletes the file it
   leads to; so an empty file that the program has just made beside it first
   takes its name, which a rename does without following the link, and only
   that is deleted. Nothing else is: a file of the temporary name is never
   written into, and where the rename fails the item stays, but on Windows
   9x, which has neither symbolic links nor the rename over another file. */
static void RemoveFile(const char *path)
{
    char own[MAX_PATH];
    CopyText(own, sizeof own, path);
    char *name = LastBackslash(own) + 1;
    HANDLE made = CopyText(name, (size_t)(own + sizeof own - name), "NMZAV.TMP")
                      ? CreateFileA(own, GENERIC_WRITE, 0, NULL, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, NULL)
                      : INVALID_HANDLE_VALUE;
    int moved = 0;
    DWORD reason = ERROR_SUCCESS;
    if (made != INVALID_HANDLE_VALUE) {
        CloseHandle(made);
        moved = MoveFileExA(own, path, MOVEFILE_REPLACE_EXISTING);
        reason = GetLastError();
        if (!moved)
            DeleteFileA(own);
    }
    if (moved || reason == ERROR_CALL_NOT_IMPLEMENTED)
        DeleteFileA(path);
}

/* A frame of its own: inside its caller's, the two would come near a page
   of stack. */
__attribute__((noinline)) void RemoveOwnItems(char *text, DWORD length)
{
    /* A line naming a drive without a disk is passed over without the
       system's box that asks for one. */
    UINT errorMode = SetErrorMode(SEM_FAILCRITICALERRORS);
    char data[MAX_PATH];
    data[0] = '\0';
    char *start = text;
    for (char *c = text; c < text + length; c++) {
        if (*c != '\n')
            continue;
        /* Only whole CR LF lines (the installation ends every line), read in
           place with the CR as their end. */
        if (c > start && c[-1] == '\r') {
            char path[MAX_PATH];
            c[-1] = '\0';
            int own = OwnItemOfLine(start, c - 1, path);
            /* Calls that never recurse into a folder, follow a final link or
               ask: what is put in the item's place after the check is at
               worst removed itself, never what it leads to. */
            if (own == OWN_DATA)
                CopyText(data, sizeof data, path);
            else if (own && *start == 'd')
                RemoveFile(path);
            else if (own)
                RemoveDirectoryA(path);
        }
        start = c + 1;
    }
    /* Last, so that an uninstall cut short can be run again. */
    if (data[0])
        RemoveFile(data);
    SetErrorMode(errorMode);
}
