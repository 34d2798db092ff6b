/* Placing the program's files in the install folder: the folder chain, the
   copy of the running executable and the carried files. */
#include "install/FilePlacement.h"
#include "install/UninstallRecord.h"
#include "app/Globals.h"
#include "app/Startup.h"
#include "app/Text.h"
#include <string.h>

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
    /* The first three characters are a drive prefix such as C:\, never a
       folder of their own. Leading folders that exist already make
       CreateDirectoryA fail harmlessly. */
    size_t length = strlen(path);
    for (size_t i = 3; i < length; i++) {
        if (path[i] != '\\')
            continue;
        path[i] = '\0';
        CreateDirectoryA(path, NULL);
        path[i] = '\\';
    }
    DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return 1;
    return CreateDirectoryA(path, NULL) ? 1 : 0;
}

int CopySelfToInstallFolder(void)
{
    char source[MAX_PATH];
    DWORD length = GetModuleFileNameA(NULL, source, sizeof source);
    if (length == 0)
        return 0;
    if (length >= sizeof source) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return 0;
    }
    char target[MAX_PATH];
    if (!ComposePath(target, sizeof target, installSettings.installFolder, INSTALLED_FILE_NAME))
        return 0;
    return CopyFileA(source, target, FALSE);
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
    HANDLE file = CreateFileA(target, GENERIC_WRITE, FILE_SHARE_READ, NULL, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL | FILE_ATTRIBUTE_ARCHIVE, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    DWORD written = 0;
    BOOL wrote = WriteFile(file, data, size, &written, NULL);
    /* A short write is a failed write, with the last error of a full disk. */
    if (wrote && written != size) {
        wrote = FALSE;
        SetLastError(ERROR_HANDLE_DISK_FULL);
    }
    DWORD writeError = GetLastError();
    BOOL closed = CloseHandle(file);
    if (!wrote) {
        SetLastError(writeError);
        return 0;
    }
    return closed ? 1 : 0;
}
