/* Scratch registry and folders for tests. RegistrySandbox redirects this
   process's HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER to empty scratch keys
   (child processes are not redirected) and drops them afterwards;
   ScratchFolder is a fresh folder on C: removed with all it holds. */
#ifndef NMZAV_TESTS_SANDBOX_H
#define NMZAV_TESTS_SANDBOX_H

#include <windows.h>
#include <string>

class RegistrySandbox {
public:
    RegistrySandbox();
    ~RegistrySandbox();
    /* Makes the stand-in for HKEY_LOCAL_MACHINE read-only (KEY_READ). On Wine
       this refuses only values set on the root itself: keys opened or created
       below it are still writable. For a key that must refuse writes, use
       MakeKeyReadOnly. */
    void MakeMachineReadOnly();
    HKEY machine;
    HKEY user;

private:
    std::string root;
};

class ScratchFolder {
public:
    explicit ScratchFolder(const char *name = "scratch");
    ~ScratchFolder();
    /* path + "\" + name */
    std::string operator/(const std::string &name) const { return path + "\\" + name; }
    std::string path;
};

/* Writes bytes to a new file; true on success. */
bool WriteFileBytes(const std::string &path, const std::string &bytes);
/* Reads a whole file; empty when it cannot be read. */
std::string ReadFileBytes(const std::string &path);
bool FileExists(const std::string &path);
bool FolderExists(const std::string &path);
/* Removes a folder and everything under it. */
void RemoveTree(const std::string &path);
/* Registry text value, or "<absent>". */
std::string RegText(HKEY root, const char *path, const char *name);
/* Registry DWORD value, or 0xFFFFFFFF when absent or of another type. */
DWORD RegDword(HKEY root, const char *path, const char *name);
/* Creates root\path and sets a text value (REG_SZ, counted with terminator). */
void SeedText(HKEY root, const char *path, const char *name, const char *text,
              DWORD type = REG_SZ);
void SeedDword(HKEY root, const char *path, const char *name, DWORD value);
bool KeyExists(HKEY root, const char *path);
/* Creates root\path if needed and gives it a security descriptor that grants
   everyone KEY_READ only: opening that key for writing or with KEY_ALL_ACCESS
   then fails with ERROR_ACCESS_DENIED. Wine checks a key's own descriptor
   only: its subkeys stay writable, and it can still be deleted. */
void MakeKeyReadOnly(HKEY root, const char *path);
/* The path's short form as the system gives it, or the path itself. */
std::string ShortPath(const std::string &path);

#endif
