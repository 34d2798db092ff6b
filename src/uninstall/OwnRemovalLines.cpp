/* Which lines of UNINSTALL.DAT the removal script runs. The file lies in the
   install folder, which any user may be able to change when the program was
   installed into a folder of his own choosing, while the script runs with the
   rights of whoever uninstalls. So a line is taken only when it is one that an
   installation writes: "del" with the desktop link or a link of the Start
   Menu folder, "rmdir" with that folder, "del" with this UNINSTALL.DAT, each
   path written as FormatRemovalPath writes it (short or long, bare or
   quoted), so that the command interpreter reads exactly that one path. */
#include "uninstall/OwnRemovalLines.h"
#include "install/RemovalPath.h"
#include "install/Shortcuts.h"
#include "install/UninstallRecord.h"
#include "app/Globals.h"
#include "app/Text.h"
#include <shlobj.h>

/* The path's full, short form where the system gives one; case aside, every
   way of writing one path gives the same text. */
static int CanonicalPath(const char *path, char *out)
{
    char full[MAX_PATH];
    DWORD length = GetFullPathNameA(path, sizeof full, full, NULL);
    if (length == 0 || length >= sizeof full)
        return 0;
    length = GetShortPathNameA(full, out, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return CopyText(out, MAX_PATH, full);
    return 1;
}

static int IsPath(const char *path, const char *canonical)
{
    char form[MAX_PATH];
    return CanonicalPath(path, form) && EqualsIgnoreAsciiCase(form, canonical);
}

/* Whether an installation writes a line with the verb "del" (del) or "rmdir"
   and a path of this canonical form: the desktop link, this UNINSTALL.DAT,
   and in each of the two Programs folders the Start Menu folder ("rmdir")
   and its links. */
static int IsOwnPath(int del, const char *canonical)
{
    char path[MAX_PATH];
    char folder[MAX_PATH];
    if (del && ((SpecialFolderPath(NULL, CSIDL_DESKTOP, path) &&
                 AppendText(path, sizeof path, "\\" PROGRAM_LINK_NAME) && IsPath(path, canonical)) ||
                (ComposePath(path, sizeof path, installSettings.installFolder,
                             UNINSTALL_DATA_NAME) &&
                 IsPath(path, canonical))))
        return 1;
    static const int ProgramsFolders[] = {CSIDL_COMMON_PROGRAMS, CSIDL_PROGRAMS};
    for (int folderId : ProgramsFolders) {
        if (!SpecialFolderPath(NULL, folderId, folder) ||
            !AppendText(folder, sizeof folder, "\\" START_MENU_FOLDER_NAME))
            continue;
        if (!del && IsPath(folder, canonical))
            return 1;
        for (const StartMenuItem &item : StartMenuItems)
            if (del && ComposePath(path, sizeof path, folder, item.linkName) &&
                IsPath(path, canonical))
                return 1;
    }
    return 0;
}

/* The path of the argument as the command interpreter reads it: bare, or in
   quotes with each % doubled. 0 unless writing that path again gives the
   argument exactly, so that it is one path and nothing more. */
static int ArgumentPath(const char *argument, char *path)
{
    size_t length = TextLength(argument);
    if (argument[0] != '"') {
        if (!CopyText(path, MAX_PATH, argument))
            return 0;
    } else {
        if (length < 2 || argument[length - 1] != '"' || length - 2 >= MAX_PATH)
            return 0;
        char *next = path;
        for (const char *c = argument + 1; c < argument + length - 1; c++) {
            *next++ = *c;
            if (c[0] == '%' && c[1] == '%')
                c++;
        }
        *next = '\0';
    }
    /* Absolute only: a relative one would be read in the script's folder. */
    int absolute = (path[0] && path[1] == ':' && path[2] == '\\') ||
                   (path[0] == '\\' && path[1] == '\\');
    char again[REMOVAL_PATH_SIZE];
    return absolute && QuoteRemovalPath(again, sizeof again, path) &&
           EqualsIgnoreAsciiCase(again, argument);
}

/* What follows verb and a blank at the start of line, or NULL. */
static const char *AfterVerb(const char *line, const char *verb)
{
    while (*verb)
        if (*line++ != *verb++)
            return NULL;
    return *line == ' ' ? line + 1 : NULL;
}

/* line: one line of UNINSTALL.DAT without its CR LF, in the OEM code page. */
static int IsOwnLine(const char *line)
{
    const char *argument = AfterVerb(line, "del");
    int del = argument != NULL;
    if (!del)
        argument = AfterVerb(line, "rmdir");
    char path[MAX_PATH];
    char canonical[MAX_PATH];
    if (!argument || !ArgumentPath(argument, path))
        return 0;
    OemToCharBuffA(path, path, (DWORD)TextLength(path));
    return CanonicalPath(path, canonical) && IsOwnPath(del, canonical);
}

void WriteOwnRemovalLines(HANDLE file, char *text, DWORD length)
{
    char *start = text;
    int zero = 0;
    for (char *c = text; c < text + length; c++) {
        zero |= *c == '\0';
        if (*c != '\n')
            continue;
        /* Only whole CR LF lines without a zero (the installation ends every
           line), read in place with the CR as their end for the moment. */
        if (c > start && c[-1] == '\r' && !zero) {
            c[-1] = '\0';
            int own = IsOwnLine(start);
            c[-1] = '\r';
            DWORD written;
            if (own)
                WriteFile(file, start, (DWORD)(c + 1 - start), &written, NULL);
        }
        start = c + 1;
        zero = 0;
    }
}
