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
