/* Resource identifiers of NMZAV.EXE, with the numbers the program is known by. */
#ifndef NMZAV_RESOURCE_H
#define NMZAV_RESOURCE_H

/* Icons */
#define IDI_PROGRAM 107
#define IDI_UNINSTALL 159

/* Banner on the side of every page and of the Options dialog */
#define IDB_BANNER 139

/* Dialog templates */
#define IDD_WELCOME 136
#define IDD_LICENCE 137
#define IDD_FOLDER 138
#define IDD_ICONS 139
#define IDD_READY 140
#define IDD_OPTIONS 141
#define IDD_FINISH 142

/* Controls every wizard page shares (the Options dialog shows the banner too) */
#define IDC_BANNER 3
#define IDC_PAGE_BACK 1000
#define IDC_PAGE_NEXT 1001

/* Welcome page */
#define IDC_WELCOME_TITLE 1002
#define IDC_WELCOME_INTRO 1003
#define IDC_WELCOME_PRESS 1004

/* Licence page */
#define IDC_LICENCE_TEXT 1006
#define IDC_LICENCE_TITLE 1007

/* Destination folder page */
#define IDC_FOLDER_TITLE 1008
#define IDC_FOLDER_HINT 1009
#define IDC_FOLDER_PATH 1011
#define IDC_FOLDER_BROWSE 1012

/* Icons page */
#define IDC_ICONS_TITLE 1013
#define IDC_ICONS_HINT 1014
#define IDC_ICONS_STARTMENU 1015
#define IDC_ICONS_DESKTOP 1016
#define IDC_ICONS_TOOLBAR 1017

/* Ready page */
#define IDC_READY_TITLE 1018
#define IDC_READY_TEXT 1019

/* Finish page (its text shares the Ready page's identifier) */
#define IDC_FINISH_TEXT 1019
#define IDC_FINISH_TITLE 1039
#define IDC_FINISH_START 1040

/* Options dialog */
#define IDC_OPTIONS_OK 1024
#define IDC_OPTIONS_APPLY 1025
#define IDC_STATIC_OptionsURL 1027
#define IDC_OPTIONS_CORRECTION 1028
#define IDC_OPTIONS_MENUNOTE 1029
#define IDC_OPTIONS_OPEN 1036
#define IDC_OPTIONS_OPENLABEL 1037
#define IDC_OPTIONS_MENU 1038

/* String table */
#define IDS_WELCOME 110
#define IDS_LICENCE 111
#define IDS_OPTIONS_URL 113

/* Carried HTML pages (resource type 23) */
#define IDR_STARTNM 129
#define IDR_ZAVDEACT 130
#define IDR_ZAVOLNW 131
#define IDR_LICENSE 132
#define IDR_README 133
#define IDR_ZAVACT 134

#endif
