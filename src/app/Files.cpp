/* Files and folders, with the reason of a failure kept as the last error for
   the caller's message. */
#include "app/Files.h"
#include "app/Report.h"

int IsFolder(const char *path)
{
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

int IsFile(const char *path)
{
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void FreeBytes(void *bytes)
{
    if (bytes)
        LocalFree(bytes);
}

int DeleteOwnFile(const char *path)
{
    SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
    return DeleteFileA(path);
}

int ReadWholeFile(const char *path, BYTE **bytes, DWORD *size)
{
    *bytes = NULL;
    *size = 0;
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    /* Files of 4 GiB or more are no file of this program's: the low part of
       their length alone would read a part as the whole. One byte more is
       asked for, so that an empty file has a block too. */
    DWORD high = 0;
    DWORD length = GetFileSize(file, &high);
    DWORD read = 0;
    BYTE *data = high || length == INVALID_FILE_SIZE
                     ? NULL
                     : (BYTE *)LocalAlloc(LMEM_FIXED, length + 1);
    int whole = data && ReadFile(file, data, length, &read, NULL) && read == length;
    if (!whole && GetLastError() == ERROR_SUCCESS)
        SetLastError(ERROR_READ_FAULT);
    KeepingLastError([&] { CloseHandle(file); });
    if (!whole) {
        FreeBytes(data);
        return 0;
    }
    *bytes = data;
    *size = length;
    return 1;
}

int WriteAndClose(HANDLE file, const void *bytes, DWORD size)
{
    DWORD written = 0;
    BOOL wrote = WriteFile(file, bytes, size, &written, NULL);
    /* A short write is a failed write, with the last error of a full disk. */
    if (wrote && written != size) {
        wrote = FALSE;
        SetLastError(ERROR_HANDLE_DISK_FULL);
    }
    if (!wrote) {
        KeepingLastError([&] { CloseHandle(file); });
        return 0;
    }
    return CloseHandle(file) ? 1 : 0;
}

int WriteWholeFile(const char *path, const void *bytes, DWORD size, DWORD creation)
{
    HANDLE file = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, NULL, creation,
                              FILE_ATTRIBUTE_NORMAL | FILE_ATTRIBUTE_ARCHIVE, NULL);
    return file != INVALID_HANDLE_VALUE && WriteAndClose(file, bytes, size);
}
