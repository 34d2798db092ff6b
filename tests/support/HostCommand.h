/* Runs a command of the machine Wine runs on, for what Windows itself cannot
   do to a folder (chattr +i: a folder that refuses new files even to root).
   Wine starts a Unix program given by its path on Z:, the host's root, but
   hands back no process to wait for: the command leaves its exit status in a
   file instead. */
#ifndef NMZAV_TESTS_HOSTCOMMAND_H
#define NMZAV_TESTS_HOSTCOMMAND_H

#include <string>

/* Why this machine runs no host command, for a test to give as its reason to
   skip: it is not Wine, or its drive Z: (the host's root) has been taken
   away, as on Windows. NULL where host commands run. */
const char *HostCommandsMissing();
/* Runs command (a line for the host's /bin/sh, without double quotes) in
   folder, a Windows path where it may write host.status, and waits at most
   30 s. Its exit status, or -1 when it could not be started or did not end. */
int RunHostCommand(const std::string &command, const std::string &folder);
/* The host's name of a Windows path, or "" where Wine gives none. */
std::string UnixPath(const std::string &path);

#endif
