/* Scratch registry keys and folders for tests: see Sandbox.h. */
#include "Sandbox.h"
#include <sddl.h>
#include <shlwapi.h>
#include <stdio.h>

static int sandboxCount;

RegistrySandbox::RegistrySandbox()
{
    char name[96];
    wsprintfA(name, "Software\\NimbrellaZAVTests\\%lu-%d", GetCurrentProcessId(), ++sandboxCount);
    root = name;
    RegCreateKeyExA(HKEY_CURRENT_USER, (root + "\\HKLM").c_str(), 0, NULL, 0, KEY_ALL_ACCESS,
                    NULL, &machine, NULL);
    RegCreateKeyExA(HKEY_CURRENT_USER, (root + "\\HKCU").c_str(), 0, NULL, 0, KEY_ALL_ACCESS,
                    NULL, &user, NULL);
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, machine);
    RegOverridePredefKey(HKEY_CURRENT_USER, user);
}

void RegistrySandbox::MakeMachineReadOnly()
{
    HKEY readOnly;
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, NULL);
    RegOverridePredefKey(HKEY_CURRENT_USER, NULL);
    RegOpenKeyExA(HKEY_CURRENT_USER, (root + "\\HKLM").c_str(), 0, KEY_READ, &readOnly);
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, readOnly);
    RegOverridePredefKey(HKEY_CURRENT_USER, user);
    RegCloseKey(readOnly);
}

RegistrySandbox::~RegistrySandbox()
{
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, NULL);
    RegOverridePredefKey(HKEY_CURRENT_USER, NULL);
    RegCloseKey(machine);
    RegCloseKey(user);
    SHDeleteKeyA(HKEY_CURRENT_USER, root.c_str());
    SHDeleteEmptyKeyA(HKEY_CURRENT_USER, "Software\\NimbrellaZAVTests");
}

ScratchFolder::ScratchFolder(const char *name)
{
    char text[MAX_PATH];
    wsprintfA(text, "C:\\nmzav-tests\\%s-%lu-%lu", name, GetCurrentProcessId(), GetTickCount());
    path = text;
    CreateDirectoryA("C:\\nmzav-tests", NULL);
    CreateDirectoryA(path.c_str(), NULL);
}

ScratchFolder::~ScratchFolder()
{
    RemoveTree(path);
    RemoveDirectoryA("C:\\nmzav-tests");
}

void RemoveTree(const std::string &path)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string child = path + "\\" + name;
            SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                DeleteFileA(child.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

bool WriteFileBytes(const std::string &path, const std::string &bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, NULL);
    CloseHandle(file);
    return ok && written == bytes.size();
}

std::string ReadFileBytes(const std::string &path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return "";
    std::string bytes(GetFileSize(file, NULL), '\0');
    DWORD read = 0;
    if (!bytes.empty())
        ReadFile(file, &bytes[0], (DWORD)bytes.size(), &read, NULL);
    CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

bool FileExists(const std::string &path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string &path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string RegText(HKEY root, const char *path, const char *name)
{
    HKEY key;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return "<absent>";
    DWORD type = 0, size = 0;
    std::string text = "<absent>";
    if (RegQueryValueExA(key, name, NULL, &type, NULL, &size) == ERROR_SUCCESS) {
        std::string data(size, '\0');
        if (RegQueryValueExA(key, name, NULL, &type, (BYTE *)&data[0], &size) == ERROR_SUCCESS) {
            data.resize(size);
            text = data.c_str();
        }
    }
    RegCloseKey(key);
    return text;
}

DWORD RegDword(HKEY root, const char *path, const char *name)
{
    HKEY key;
    DWORD value = 0xFFFFFFFF, type = 0, size = sizeof value;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return value;
    if (RegQueryValueExA(key, name, NULL, &type, (BYTE *)&value, &size) != ERROR_SUCCESS ||
        type != REG_DWORD)
        value = 0xFFFFFFFF;
    RegCloseKey(key);
    return value;
}

void SeedText(HKEY root, const char *path, const char *name, const char *text, DWORD type)
{
    HKEY key;
    RegCreateKeyExA(root, path, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL);
    RegSetValueExA(key, name, 0, type, (const BYTE *)text, (DWORD)strlen(text) + 1);
    RegCloseKey(key);
}

void SeedDword(HKEY root, const char *path, const char *name, DWORD value)
{
    HKEY key;
    RegCreateKeyExA(root, path, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL);
    RegSetValueExA(key, name, 0, REG_DWORD, (const BYTE *)&value, sizeof value);
    RegCloseKey(key);
}

bool KeyExists(HKEY root, const char *path)
{
    HKEY key;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

void MakeKeyReadOnly(HKEY root, const char *path)
{
    HKEY key;
    PSECURITY_DESCRIPTOR descriptor = NULL;
    if (RegCreateKeyExA(root, path, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL) !=
        ERROR_SUCCESS)
        return;
    if (ConvertStringSecurityDescriptorToSecurityDescriptorA("D:P(A;;KR;;;WD)", SDDL_REVISION_1,
                                                             &descriptor, NULL)) {
        RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor);
        LocalFree(descriptor);
    }
    RegCloseKey(key);
}

std::string ShortPath(const std::string &path)
{
    char buffer[MAX_PATH];
    DWORD length = GetShortPathNameA(path.c_str(), buffer, sizeof buffer);
    if (length == 0 || length >= sizeof buffer)
        return path;
    return buffer;
}
