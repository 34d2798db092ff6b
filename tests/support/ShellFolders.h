/* Shell folders and shell links for tests. ProgramsSandbox points this
   process's Programs and common Programs folders at scratch folders through
   a RegistrySandbox (the shell reads them afresh on every call). The desktop
   cannot be moved that way: the shell keeps the first desktop path it finds
   for the life of the process, so tests use the real one and clean up. */
#ifndef NMZAV_TESTS_SHELLFOLDERS_H
#define NMZAV_TESTS_SHELLFOLDERS_H

#include "Sandbox.h"
#include <string>

class ProgramsSandbox {
public:
    /* Call while the RegistrySandbox is active. */
    ProgramsSandbox();
    ScratchFolder common{"common-programs"};
    ScratchFolder user{"programs"};
};

/* Path of a special folder (CSIDL) as the shell gives it, or "". */
std::string SpecialFolder(int folderId);

/* A shell link as IShellLinkA reports it after IPersistFile::Load. */
struct LinkContents {
    bool loaded;
    std::string target;
    std::string description;
    std::string arguments;
    std::string iconPath;
    int iconIndex;
};
LinkContents ReadShellLink(const std::string &path);

#endif
