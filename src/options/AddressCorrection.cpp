/* Web address correction. The browser completes an address typed without a
   scheme with the default prefix, or with the prefix under Prefixes whose
   name begins the address. Only values that hold a prefix this program
   recognises are ever rewritten: another program's prefix is left alone. */
#include "options/AddressCorrection.h"
#include "app/Globals.h"
#include "app/Registry.h"
#include "app/Report.h"
#include "app/Text.h"
#include "Hosts.h"

const char HttpPrefix[] = "http://";
const char ServicePrefix[] = NIMBRELLA_BASE NIMBRELLA_PREFIX_PATH;
const char LegacyNmPrefix[] = NIMBRELLA_LEGACY_BASE NIMBRELLA_PREFIX_PATH;
const char LegacyOrxPrefix[] = NIMBRELLA_LEGACY_BASE "/orx.pl?~GZ/";

/* A prefix value longer than this (terminator included) cannot be read; a
   value name of this length or longer ends an enumeration with an error. */
#define PREFIX_DATA_SIZE 260
#define PREFIX_NAME_SIZE 32

/* Pieces that the messages here share, and what the refusal says before the
   prefix it found. */
#define CANNOT "Nimbrella ZAV cannot "
#define CORRECTION " Web address correction"
#define REFUSED_PREFIX                                                                    \
    ":\nthe prefix automatically added to an URL is other than \"http://\" (now it is \""

/* Reads a value's text into text (PREFIX_DATA_SIZE + 1 bytes). The program
   writes its prefixes without a terminator, so the text ends at the length
   read or at its first zero, whichever comes first. */
static LONG ReadPrefixText(HKEY key, const char *valueName, char *text)
{
    DWORD size = PREFIX_DATA_SIZE;
    LONG status = RegQueryValueExA(key, valueName, NULL, NULL, (BYTE *)text, &size);
    text[status == ERROR_SUCCESS && size <= PREFIX_DATA_SIZE ? size : 0] = '\0';
    return status;
}

/* The prefixes that are switched: the program's own three, then the plain
   one. */
#define OWN_PREFIX_COUNT 3
#define SWITCHABLE_PREFIX_COUNT 4
static const char *const SwitchablePrefixes[SWITCHABLE_PREFIX_COUNT] = {
    ServicePrefix, LegacyNmPrefix, LegacyOrxPrefix, HttpPrefix};

/* The index of text in SwitchablePrefixes, ignoring the case of ASCII
   letters; SWITCHABLE_PREFIX_COUNT when it is none of them. */
static int SwitchableIndex(const char *text)
{
    int i = 0;
    while (i < SWITCHABLE_PREFIX_COUNT && !EqualsIgnoreAsciiCase(text, SwitchablePrefixes[i]))
        i++;
    return i;
}

static bool IsOwnPrefix(const char *text)
{
    return SwitchableIndex(text) < OWN_PREFIX_COUNT;
}

static bool IsSwitchablePrefix(const char *text)
{
    return SwitchableIndex(text) < SWITCHABLE_PREFIX_COUNT;
}

static LONG EnumeratePrefixName(HKEY key, DWORD index, char *name)
{
    DWORD length = PREFIX_NAME_SIZE;
    return RegEnumValueA(key, index, name, &length, NULL, NULL, NULL, NULL);
}

static void ReportEnableRefused(HWND owner, const char *current)
{
    ReportPieces(owner, "", CAPTION_INFO, CANNOT, "enable", CORRECTION, REFUSED_PREFIX, current,
                 "\").\nMaybe, the", CORRECTION, " technique is already used by another software.",
                 NULL);
}

static void ReportSwitchFailed(HWND owner, bool enable)
{
    ReportPieces(owner, "", CAPTION_INFO, CANNOT, enable ? "enable" : "disable", CORRECTION, ". ",
                 NOT_ENOUGH_PERMISSIONS, NULL);
}

int RewritePrefixValue(HWND owner, HKEY key, const char *valueName, bool enable,
                       bool refuseForeign)
{
    char text[PREFIX_DATA_SIZE + 1];
    LONG status = ReadPrefixText(key, valueName, text);
    if (status != ERROR_SUCCESS)
        return (int)status;
    bool switchable = IsSwitchablePrefix(text);
    if (refuseForeign && enable && !switchable) {
        ReportEnableRefused(owner, text);
        return -1;
    }
    if (!switchable)
        return 0;
    return (int)SetRegistryText(key, valueName, enable ? ServicePrefix : HttpPrefix);
}

/* The result of CheckPrefix for a value that holds one of the program's own
   prefixes: no registry error has this value. */
#define OWN_PREFIX_FOUND -2

/* Opens path with access and runs visit on its default value, or (listed)
   on each of its values that has a name, until visit returns anything but 0
   or the names run out. Returns that result, or the registry's error of the
   opening or of the enumeration (ERROR_NO_MORE_ITEMS: every value was
   visited). */
static int VisitPrefixes(const char *path, REGSAM access, bool listed,
                         int (*visit)(HKEY, const char *, const void *), const void *context)
{
    HKEY key;
    int status = (int)RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, access, &key);
    if (status != ERROR_SUCCESS)
        return status;
    if (!listed)
        status = visit(key, "", context);
    char name[PREFIX_NAME_SIZE];
    for (DWORD index = 0; listed && status == 0; index++) {
        status = (int)EnumeratePrefixName(key, index, name);
        if (status == ERROR_SUCCESS && name[0] != '\0')
            status = visit(key, name, context);
    }
    RegCloseKey(key);
    return status;
}

/* OWN_PREFIX_FOUND when the value holds one of the program's own prefixes,
   0 when it holds another, or the error of its reading. */
static int CheckPrefix(HKEY key, const char *name, const void *)
{
    char text[PREFIX_DATA_SIZE + 1];
    LONG status = ReadPrefixText(key, name, text);
    if (status != ERROR_SUCCESS)
        return (int)status;
    return IsOwnPrefix(text) ? OWN_PREFIX_FOUND : 0;
}

bool QueryAddressCorrection(bool scanPrefixes)
{
    /* The scan of Prefixes ends at the first own prefix, or at a value it
       cannot read. */
    return VisitPrefixes(DEFAULT_PREFIX_KEY, KEY_QUERY_VALUE, false, CheckPrefix, NULL) ==
               OWN_PREFIX_FOUND ||
           (scanPrefixes && VisitPrefixes(PREFIXES_KEY, KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS,
                                          true, CheckPrefix, NULL) == OWN_PREFIX_FOUND);
}

/* What RewritePrefixes asks of each value. */
struct PrefixRewrite {
    HWND owner;
    bool enable;
    bool switching;
};

/* Rewrites one value: the default (named "") or one under Prefixes. Only the
   switch refuses a foreign default; it passes over a value under Prefixes
   that it cannot rewrite (0), where the reset stops (its error). */
static int RewritePrefix(HKEY key, const char *name, const void *context)
{
    const PrefixRewrite *rewrite = (const PrefixRewrite *)context;
    bool isDefault = name[0] == '\0';
    int rewritten = RewritePrefixValue(rewrite->owner, key, name, rewrite->enable,
                                       isDefault && rewrite->switching);
    return isDefault || !rewrite->switching ? rewritten : 0;
}

/* Rewrites the default prefix, then each value under Prefixes, to enable's
   prefix where it holds a switchable one. switching: the switch of the
   Options dialog and the installation, which refuses a foreign default (and
   then leaves the Prefixes alone) and passes over an entry it cannot
   rewrite, since the default decides. Otherwise the reset of the uninstall,
   which goes on to the Prefixes whatever became of the default and stops at
   the first entry it cannot put back: the uninstall must not leave the
   service's prefix behind. Returns 0, -1 (a foreign default refused) or the
   first error. */
static int RewritePrefixes(HWND owner, bool enable, bool switching)
{
    const PrefixRewrite rewrite = {owner, enable, switching};
    int status = VisitPrefixes(DEFAULT_PREFIX_KEY, KEY_QUERY_VALUE | KEY_SET_VALUE, false,
                               RewritePrefix, &rewrite);
    if (switching && status != 0)
        return status;
    int listed = VisitPrefixes(PREFIXES_KEY,
                               KEY_QUERY_VALUE | KEY_SET_VALUE | KEY_ENUMERATE_SUB_KEYS, true,
                               RewritePrefix, &rewrite);
    if (status == 0)
        status = listed;
    return status == ERROR_NO_MORE_ITEMS ? 0 : status;
}

bool SwitchAddressCorrection(HWND owner, bool enable)
{
    if (enable == QueryAddressCorrection(false))
        return true;
    int status = RewritePrefixes(owner, enable, true);
    if (status != 0 && status != -1)
        ReportSwitchFailed(owner, enable);
    SetLastError(ERROR_SUCCESS);
    return status == 0;
}

bool RestoreDefaultPrefixes(HWND owner)
{
    if (!QueryAddressCorrection(true))
        return true;
    int status = RewritePrefixes(owner, false, false);
    if (status != 0 && uninstallMode)
        ReportPieces(owner, "", CAPTION_INFO, UNINSTALL_FAILED,
                     "\nit's impossible to ", "disable", CORRECTION, ". ", NOT_ENOUGH_PERMISSIONS,
                     NULL);
    SetLastError(ERROR_SUCCESS);
    return status == 0;
}
