/* Looks for the uninstall entries of earlier releases. This release's own
   entry is in the list too, so installing it twice is warned about as well. */
#include "wizard/PreviousVersions.h"
#include "install/UninstallRecord.h"
#include "app/Registry.h"
#include "app/Text.h"

const PreviousVersion PreviousVersions[PREVIOUS_VERSION_COUNT] = {
    {UNINSTALL_LIST_KEY "ORX", "ORX 2.0 Zavex Add-on"},
    {UNINSTALL_LIST_KEY "ORXZAV", "ORX Zavex Add-on 2.003"},
    {UNINSTALL_KEY, "Nimbrella Zavex Add-on 2.004"},
    {UNINSTALL_KEY, "Nimbrella Zavex Add-on 2.005"},
    {UNINSTALL_KEY, "Nimbrella Zavex Add-on 2.006"},
    {UNINSTALL_KEY, UNINSTALL_DISPLAY_NAME},
};

int HasUninstallEntry(const char *keyPath, const char *expectedName)
{
    /* One byte more than is asked for, so the text is terminated after what
       was read even when the stored value has no zero of its own. */
    char name[MAX_PATH + 1];
    DWORD type;
    DWORD size = MAX_PATH;
    if (ReadRegistryValue(HKEY_LOCAL_MACHINE, keyPath, KEY_READ, DISPLAY_NAME_VALUE, &type, name,
                          &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return 0;
    name[size] = '\0';
    return EqualsIgnoreAsciiCase(name, expectedName);
}

int IsPreviousVersionInstalled(void)
{
    for (int i = 0; i < PREVIOUS_VERSION_COUNT; i++)
        if (HasUninstallEntry(PreviousVersions[i].keyPath, PreviousVersions[i].displayName))
            return 1;
    return 0;
}
