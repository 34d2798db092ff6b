/* The Icons page's three check boxes and the settings they stand for. */
#ifndef NMZAV_WIZARD_ICONCHOICES_H
#define NMZAV_WIZARD_ICONCHOICES_H

#include <windows.h>

/* Checks the boxes from the settings. A browser older than version 5 has no
   toolbar button to offer: its box is cleared and disabled, and the toolbar
   setting turned off. */
void InitIconChoices(HWND page);
/* Reads the three boxes back into the settings. */
void ReadIconChoices(HWND page);

#endif
