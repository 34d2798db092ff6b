/* Shell folders and shell links for tests: see ShellFolders.h. */
#include "ShellFolders.h"
#include <shlobj.h>

#define USER_SHELL_FOLDERS "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders"

ProgramsSandbox::ProgramsSandbox()
{
    SeedText(HKEY_LOCAL_MACHINE, USER_SHELL_FOLDERS, "Common Programs", common.path.c_str());
    SeedText(HKEY_CURRENT_USER, USER_SHELL_FOLDERS, "Programs", user.path.c_str());
}

std::string SpecialFolder(int folderId)
{
    char path[MAX_PATH] = "";
    LPITEMIDLIST list = NULL;
    if (FAILED(SHGetSpecialFolderLocation(NULL, folderId, &list)))
        return "";
    if (!SHGetPathFromIDListA(list, path))
        path[0] = '\0';
    CoTaskMemFree(list);
    return path;
}

LinkContents ReadShellLink(const std::string &path)
{
    LinkContents contents = {false, "", "", "", "", -1};
    IShellLinkA *link = NULL;
    IPersistFile *file = NULL;
    WCHAR widePath[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, widePath, MAX_PATH);
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   (void **)&link)) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, (void **)&file)) &&
        SUCCEEDED(file->Load(widePath, STGM_READ))) {
        char text[1024];
        contents.loaded = true;
        text[0] = '\0';
        link->GetPath(text, sizeof text, NULL, SLGP_RAWPATH);
        contents.target = text;
        text[0] = '\0';
        link->GetDescription(text, sizeof text);
        contents.description = text;
        text[0] = '\0';
        link->GetArguments(text, sizeof text);
        contents.arguments = text;
        text[0] = '\0';
        link->GetIconLocation(text, sizeof text, &contents.iconIndex);
        contents.iconPath = text;
    }
    if (file)
        file->Release();
    if (link)
        link->Release();
    return contents;
}
