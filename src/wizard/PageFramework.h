/* What every wizard page shares: where it appears, how it hands over to the
   next page, its title font and its long texts from the string table. */
#ifndef NMZAV_WIZARD_PAGEFRAMEWORK_H
#define NMZAV_WIZARD_PAGEFRAMEWORK_H

#include <windows.h>

/* Shows the page on the rectangle of the page left last (at its top-left
   corner in its own size when no rectangle is known yet), on top and in the
   foreground. The first step of every page's WM_INITDIALOG. */
void PlacePage(HWND page);
/* Ends the page with result (the identifier of the button that ends it:
   IDC_PAGE_BACK, IDC_PAGE_NEXT or IDCANCEL), making nextPage the page shown
   next. Keeps the
   page's rectangle for the next one and freezes the desktop's redraw so that
   nothing flashes between the two; the page loop releases it. */
void LeavePage(HWND page, INT_PTR result, int nextPage);
/* The first steps of every page's WM_INITDIALOG: PlacePage, then the title
   font for the page's title control. */
void OpenPage(HWND page, int titleId);
/* The commands every page with Back and Next handles the same way: Cancel
   ends the wizard, Back and Next leave for the pages before and after page
   number. 1 when command was one of them. */
int NavigatePage(HWND page, WORD command, int number);
/* Sets a control's text from the string table (up to 1023 characters). */
void LoadDlgItemString(HWND dialog, int controlId, UINT stringId);
/* Gives a page's title control the wizard's bold italic title font. */
void SetTitleFont(HWND page, int controlId);

#endif
