/* The Options dialog of the installed copy: Web address correction and the
   browser's context-menu entries switched on or off, and the start page. */
#ifndef NMZAV_OPTIONS_OPTIONSDIALOG_H
#define NMZAV_OPTIONS_OPTIONSDIALOG_H

#include <windows.h>

INT_PTR CALLBACK OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
/* Sets both check boxes from what the registry holds now. */
void LoadOptionsState(HWND dialog);
/* Writes (or removes) the context-menu entries and switches address
   correction as the boxes say, then shows the registry's state again.
   True when every change succeeded; failures have been reported. */
bool ApplyOptions(HWND dialog);

#endif
