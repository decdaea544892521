// Toolbar resources (type 241 raw data plus a bitmap of the same id) and menu pictures.
#pragma once

#define QB_RT_TOOLBAR 241

#define IDR_TOOLBAR_MAIN 206     // main window: 16 x 15, eight buttons
#define IDR_TOOLBAR_NOTE 223     // note window: 16 x 16, six buttons
#define IDR_TOOLBAR_WEEKDAY 231  // time-note dialog: 16 x 15, one button

// 16 x 16 strip for menu commands whose stock shell icon is missing.
#define IDB_MENU_PICTURES 3240
#define MENU_PICTURE_MAIL 0
#define MENU_PICTURE_INFO 1
#define MENU_PICTURE_SHIELD 2
