/* NMZAV.EXE's entry point. */
#include "app/Startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    return ProgramMain(instance, GetCommandLineA());
}
