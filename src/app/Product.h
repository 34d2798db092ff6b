/* The product's names and the names of its files, shared by every part of the
   program and by its resource scripts (so: #define only). */
#ifndef NMZAV_APP_PRODUCT_H
#define NMZAV_APP_PRODUCT_H

/* The product's full name: the uninstall entry's "DisplayName", the title
   of the Options dialog and the uninstall question. */
#define PRODUCT_NAME "Nimbrella Zavex Add-on 2.007"
#define OPTIONS_CAPTION PRODUCT_NAME " Options"

/* The installed copy of the program, and its argument that uninstalls. */
#define INSTALLED_FILE_NAME "NMZAV.EXE"
#define UNINSTALL_ARGUMENT "/U"

/* Carried files that other parts of the program name. */
#define HOT_ICON_FILE "ICON.ICO"
#define ICON_FILE "ICONS.ICO"
#define README_FILE "readme.htm"
#define LICENSE_FILE "license.htm"
#define START_PAGE_FILE "startnm.htm"

#endif
