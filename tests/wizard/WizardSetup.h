/* The shared state the wizard pages expect, set up in a test process. */
#ifndef NMZAV_TESTS_WIZARDSETUP_H
#define NMZAV_TESTS_WIZARDSETUP_H

/* Sets up the shared state the wizard pages expect in a test process: the
   module's resources, the title font, the shell allocator, a browser of
   version 6, a fresh WizardState and InstallSettings with the given folder
   and all three icon choices on. */
void PrepareWizard(const char *installFolder);

#endif
