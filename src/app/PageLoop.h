/* The wizard's page loop and the start of the installed copy after it. */
#ifndef NMZAV_APP_PAGELOOP_H
#define NMZAV_APP_PAGELOOP_H

#include "wizard/PageTable.h"

/* Shows pages[currentPage - 1] until currentPage is 0; returns the result of
   the page shown last (0 when none was shown). */
INT_PTR RunPageLoop(const WizardPage *pages);
/* After the wizard: repaint where the last page stood, release the shell
   allocator and start the installed copy when the last result is the Finish
   page's "Start Nimbrella ZAV" (IDC_FINISH_START). */
void EndWizard(INT_PTR lastPageResult);
/* Starts "<installFolder>\NMZAV.EXE" in the install folder; 1 when started. */
int LaunchInstalledCopy(void);

#endif
