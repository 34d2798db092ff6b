/* Placing the program's files in the install folder: the folder chain, the
   copy of the running executable and the carried files. */
#include "install/FilePlacement.h"
#include "install/PriorState.h"
#include "install/UninstallRecord.h"
#include "app/Files.h"
#include "app/Globals.h"
#include "app/Product.h"
#include "app/Text.h"

/* Every later path is the folder, a backslash and a file name; a folder with
   no room for the longest of those names, UNINSTALL.DAT, is refused here, so
   that no path made afterwards is ever cut. */
static int InstallFolderLeavesRoom(void)
{
    char longest[MAX_PATH];
    return ComposePath(longest, sizeof longest, installSettings.installFolder,
                       UNINSTALL_DATA_NAME);
}

int CreateInstallFolder(void)
{
    if (!InstallFolderLeavesRoom())
        return 0;
    char path[MAX_PATH];
    CopyText(path, sizeof path, installSettings.installFolder);
    /* The leading folders first, at each backslash after the drive prefix
       (such as C:\), read by characters of the ANSI code page; those that
       exist already make CreateDirectoryA fail harmlessly. Each one made is
       noted, for the taking back of a failed run. */
    size_t parent = 0;
    for (char *c = path; *c; c = CharNextA(c)) {
        if (c - path < 3 || *c != '\\')
            continue;
        *c = '\0';
        if (CreateDirectoryA(path, NULL))
            NoteMadeFolder(parent);
        *c = '\\';
        parent = (size_t)(c - path);
    }
    return IsFolder(path) || (CreateDirectoryA(path, NULL) && NoteMadeFolder(parent));
}

int CopySelfToInstallFolder(void)
{
    char source[MAX_PATH];
    DWORD length = GetModuleFileNameA(NULL, source, sizeof source);
    if (length == 0)
        return 0;
    if (length >= sizeof source)
        return RefuseTooLong();
    char target[MAX_PATH];
    if (!ComposePath(target, sizeof target, installSettings.installFolder, INSTALLED_FILE_NAME))
        return 0;
    if (!CopyFileA(source, target, FALSE))
        return 0;
    /* The copy takes its source's attributes: started from a read-only copy
       (a CD), it would be read-only, and neither the removal script's del
       nor the taking back of a failed run could delete it. */
    DWORD attributes = GetFileAttributesA(target);
    return attributes != INVALID_FILE_ATTRIBUTES &&
           SetFileAttributesA(target, attributes & ~FILE_ATTRIBUTE_READONLY);
}

int ExtractResourceFile(LPCSTR resourceName, LPCSTR resourceType, const char *fileName)
{
    char target[MAX_PATH];
    if (!ComposePath(target, sizeof target, installSettings.installFolder, fileName))
        return 0;
    HRSRC found = FindResourceA(NULL, resourceName, resourceType);
    if (!found)
        return 0;
    DWORD size = SizeofResource(NULL, found);
    if (size == 0)
        return 0;
    HGLOBAL loaded = LoadResource(NULL, found);
    const void *data = loaded ? LockResource(loaded) : NULL;
    if (!data)
        return 0;
    return WriteWholeFile(target, data, size, CREATE_ALWAYS);
}
