/* NMZAV.EXE's entry point. The program starts here directly, without the C
   runtime's start-up code, which would be a tenth of the executable, and it
   imports no C runtime at all. So it may not use what that code prepares: no
   static objects with constructors or destructors, no atexit, no
   thread-local variables, no data imported from a DLL by address (runtime
   pseudo-relocations), no stdio, malloc or errno, no C++ exceptions; and no
   C library functions either: texts are measured with TextLength, and the
   compiler expands the copies and fills of memcpy and memset itself. */
#include "app/Startup.h"

/* The executable's own image, placed by the linker: the module handle that
   GetModuleHandleA(NULL) would return, without importing that function. */
extern "C" IMAGE_DOS_HEADER __ImageBase;

extern "C" void WINAPI NmzavEntry(void)
{
    /* Ended here, not by returning: a thread that COM or the shell started
       would keep the process alive. */
    ExitProcess((UINT)ProgramMain((HINSTANCE)&__ImageBase, GetCommandLineA()));
}
