/* Linked into every program of the bundle that uses the C++ library's
   threads. winpthreads, which the -posix compilers link for them, calls
   GetTickCount64, which Windows XP has not got: that one import would keep
   the programs from starting there. Its calls come here instead and go on to
   the system's own GetTickCount64 where there is one; on XP they get
   GetTickCount widened by the number of its wrap-arounds (one every 49.7
   days) seen since the first call. Only 32-bit code imports it so. */
#include <windows.h>

#if defined(__i386__)
typedef ULONGLONG(WINAPI *TickCount64Call)(void);

static ULONGLONG WINAPI TickCount64(void)
{
    static TickCount64Call system = (TickCount64Call)(void *)GetProcAddress(
        GetModuleHandleA("kernel32"), "GetTickCount64");
    static volatile LONG last, wraps;
    if (system)
        return system();
    DWORD now = GetTickCount();
    DWORD before = (DWORD)InterlockedExchange(&last, (LONG)now);
    if (now < before && before - now > 0x80000000u)
        InterlockedIncrement(&wraps);
    return ((ULONGLONG)(DWORD)wraps << 32) | now;
}

/* The slot of the import table that winpthreads calls through. */
extern "C" const TickCount64Call tickCount64Import __asm__("__imp__GetTickCount64@0");
const TickCount64Call tickCount64Import = TickCount64;
#endif
