/* The Options dialog of the installed copy. */
#ifndef NMZAV_OPTIONS_OPTIONSDIALOG_H
#define NMZAV_OPTIONS_OPTIONSDIALOG_H

#include <windows.h>

INT_PTR CALLBACK OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

#endif
