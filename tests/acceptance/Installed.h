/* What an installation leaves on the machine, checked from outside the
   program: registry entries, files byte for byte, shell links. */
#ifndef NMZAV_ACCEPTANCE_INSTALLED_H
#define NMZAV_ACCEPTANCE_INSTALLED_H

#include <string>

struct IconChoice {
    bool startMenu;
    bool desktop;
    bool toolbar;
};

#define UNINSTALL_KEY "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\NimbrellaZAV"
#define DEFAULT_PREFIX_KEY "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\URL\\DefaultPrefix"
#define PREFIXES_KEY "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\URL\\Prefixes"
#define DEFAULT_INSTALL_FOLDER "C:\\Program Files\\NimbrellaZAV"

/* The service prefix the browser gets when address correction is on. */
std::string ServicePrefixText();
/* The browser's default prefix now. */
std::string DefaultPrefix();
/* Checks everything an installation into folder with these icons writes;
   addressCorrection: the prefixes are expected on the service prefix. */
void ExpectInstalled(const std::string &folder, IconChoice icons, bool addressCorrection = true);
/* 1 when all three context-menu keys exist. */
bool ContextMenuPresent();
/* Checks that nothing of the program is left; keptFile, when given, is a file
   of the user's own in the install folder that must survive with its folder. */
void ExpectNothingLeft(const std::string &folder, const std::string &keptFile = "");
/* Checks that the browser's prefixes are the plain ones (or foreignDefault). */
void ExpectPlainPrefixes(const std::string &foreignDefault = "");
/* The "UninstallString" of the registry, or "" when there is none. */
std::string UninstallCommand();
/* The Start Menu folder the installation uses ("Nimbrella ZAV" in the common
   Programs folder, or else in the user's own). */
std::string StartMenuFolder();
std::string DesktopLink();
/* Prints what the installation in folder consists of, for the walkthrough. */
void PrintInstalled(const std::string &folder);

#endif
