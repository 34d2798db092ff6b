/* The facts of the machine that a report from Windows needs, where the
   program's behaviour differs between Windows versions and settings. */
#ifndef NMZAV_RUNNER_MACHINE_H
#define NMZAV_RUNNER_MACHINE_H

#include "GrowingText.h"

/* Adds lines "  FACT: VALUE": Windows' version, build and service pack, the
   processor, the ANSI, OEM and console code pages, the user's rights, whether
   the system drive keeps 8.3 names, and whether this is Wine. Reads only. */
void DescribeMachine(GrowingText *out);

#endif
