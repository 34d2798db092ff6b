/* What of the program is on this machine: an acceptance run starts only where
   none of it is, so that it neither takes a person's installation for its own
   nor removes it. */
#ifndef NMZAV_RUNNER_INSTALLED_H
#define NMZAV_RUNNER_INSTALLED_H

#include "GrowingText.h"

/* Adds a line "    WHAT" to found for each part of the program that is
   there: its uninstall entry, browser keys and address prefixes, links, Start
   Menu folder, default install folder and a waiting removal script. Returns
   how many. */
int FindInstalledParts(GrowingText *found);

#endif
