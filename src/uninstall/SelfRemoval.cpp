/* Removal of the installation and of the executable itself. */
#include "uninstall/SelfRemoval.h"

int UninstallAndRemoveSelf(HWND)
{
    return 0;
}
