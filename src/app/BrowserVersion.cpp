/* Internet Explorer's version decides whether the add-on can run at all, and
   whether the toolbar button can be offered (version 5 and later). */
#include "app/BrowserVersion.h"
#include "app/Globals.h"
#include "app/Registry.h"
#include "app/Report.h"
#include <string.h>

/* Value of one component: its leading decimal digits, blanks skipped; digits
   beyond 32 bits make the largest value rather than a wrapped one. */
static DWORD ComponentValue(const char *p, const char *end)
{
    DWORD value = 0;
    while (p < end && *p == ' ')
        p++;
    for (; p < end && *p >= '0' && *p <= '9'; p++) {
        DWORD digit = (DWORD)(*p - '0');
        if (value > (0xFFFFFFFFu - digit) / 10)
            return 0xFFFFFFFFu;
        value = value * 10 + digit;
    }
    return value;
}

int IsVersionBelow(const char *text, DWORD major, DWORD minor, DWORD build, DWORD revision)
{
    const DWORD bounds[4] = {major, minor, build, revision};
    int index = 0;
    const char *p = text;
    while (*p && index < 4) {
        const char *end = p;
        while (*end && *end != '.')
            end++;
        if (end > p) {
            DWORD value = ComponentValue(p, end);
            if (value < bounds[index])
                return 1;
            if (value > bounds[index] || index == 3)
                return 0;
            index++;
        }
        p = *end ? end + 1 : end;
    }
    return 1;
}

int IsBrowserTooOld(HWND owner)
{
    int tooOld = 1;
    memset(browserVersion, 0, sizeof browserVersion);
    /* One byte stays zero so the text is terminated whatever is stored. */
    DWORD size = sizeof browserVersion - 1;
    if (ReadRegistryValue(HKEY_LOCAL_MACHINE, BROWSER_KEY, KEY_READ, "Version", NULL,
                          browserVersion, &size) == ERROR_SUCCESS)
        tooOld = IsVersionBelow(browserVersion, 4, 72, 2106, 8);
    else
        memset(browserVersion, 0, sizeof browserVersion);
    if (tooOld)
        ReportInstallError(owner, BROWSER_TOO_OLD_TEXT, "");
    return tooOld;
}
