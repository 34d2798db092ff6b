/* Registry helpers shared by the install, options and uninstall code. */
#include "app/Registry.h"
#include "app/Text.h"

LONG CreateRegistryKey(HKEY root, const char *path, HKEY *key)
{
    char emptyClass[] = "";
    return RegCreateKeyExA(root, path, 0, emptyClass, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                           NULL, key, NULL);
}

LONG SetRegistryText(HKEY key, const char *name, const char *text)
{
    return RegSetValueExA(key, name, 0, REG_SZ, (const BYTE *)text, (DWORD)TextLength(text));
}

LONG SetRegistryDword(HKEY key, const char *name, DWORD value)
{
    return RegSetValueExA(key, name, 0, REG_DWORD, (const BYTE *)&value, sizeof value);
}

LONG ReadRegistryValue(HKEY root, const char *path, REGSAM access, const char *name,
                       DWORD *type, void *data, DWORD *size)
{
    HKEY key;
    LONG status = RegOpenKeyExA(root, path, 0, access, &key);
    if (status != ERROR_SUCCESS)
        return status;
    status = RegQueryValueExA(key, name, NULL, type, (BYTE *)data, size);
    RegCloseKey(key);
    return status;
}

int RegistryKeyExists(HKEY root, const char *path)
{
    HKEY key;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return 0;
    RegCloseKey(key);
    return 1;
}

int DeleteRegistryKeyIfPresent(HKEY root, const char *path)
{
    if (!RegistryKeyExists(root, path))
        return 1;
    LONG status = RegDeleteKeyA(root, path);
    if (status == ERROR_SUCCESS)
        return 1;
    /* The registry returns its error instead of setting the last error; the
       caller's message shows the system's text for it. */
    SetLastError((DWORD)status);
    return 0;
}
