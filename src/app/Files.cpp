/* Whole-file reads and writes, with the reason of a failure kept as the last
   error for the caller's message. */
#include "app/Files.h"

BOOL CloseKeepingError(HANDLE handle)
{
    DWORD error = GetLastError();
    BOOL closed = CloseHandle(handle);
    SetLastError(error);
    return closed;
}

void FreeBytes(void *bytes)
{
    if (bytes)
        HeapFree(GetProcessHeap(), 0, bytes);
}

int ReadWholeFile(const char *path, BYTE **bytes, DWORD *size)
{
    *bytes = NULL;
    *size = 0;
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    DWORD high = 0;
    DWORD length = GetFileSize(file, &high);
    BYTE *data = NULL;
    DWORD read = 0;
    int whole = 0;
    if (length == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) {
        /* the reason is the last error */
    } else if (high != 0) {
        SetLastError(ERROR_FILE_TOO_LARGE);
    } else if (length == 0) {
        whole = 1;
    } else if (!(data = (BYTE *)HeapAlloc(GetProcessHeap(), 0, length))) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    } else if (ReadFile(file, data, length, &read, NULL)) {
        whole = read == length;
        if (!whole)
            SetLastError(ERROR_READ_FAULT);
    }
    CloseKeepingError(file);
    if (!whole) {
        FreeBytes(data);
        return 0;
    }
    *bytes = data;
    *size = length;
    return 1;
}

int WriteWholeFile(const char *path, const void *bytes, DWORD size, DWORD shareMode,
                   DWORD attributes)
{
    HANDLE file = CreateFileA(path, GENERIC_WRITE, shareMode, NULL, CREATE_ALWAYS, attributes,
                              NULL);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    DWORD written = 0;
    BOOL wrote = WriteFile(file, bytes, size, &written, NULL);
    /* A short write is a failed write, with the last error of a full disk. */
    if (wrote && written != size) {
        wrote = FALSE;
        SetLastError(ERROR_HANDLE_DISK_FULL);
    }
    if (!wrote) {
        CloseKeepingError(file);
        return 0;
    }
    return CloseHandle(file) ? 1 : 0;
}
