// Every resource, control and command id of the program, in one place that the
// resource scripts, the code and the tests share. Plain #defines, because the
// resource compiler reads this file too.
#pragma once

// ---- Resources -------------------------------------------------------------
#define IDI_QUILLBOARD 128
#define IDD_MAINDLG 129
#define IDD_NOTE 216
#define IDR_NOTE_ACCEL 216
#define IDD_TIMENOTE 228
#define IDI_QUILLBOARD_GREY 234

// ---- Main window (dialog 129): controls ------------------------------------
#define IDC_BANNER 2208
#define IDC_BAR_LINE 2209
#define IDC_DEFAULTS_GROUP 1028
#define IDC_LOWER_GROUP 1029
#define IDC_THEME_LABEL 1040
#define IDC_COLOR_LABEL 1041
#define IDC_TRANSPARENCY_LABEL 1042
#define IDC_FONT_LABEL 1043
#define IDC_ONTOP_LABEL 1044
#define IDC_SIZE_LABEL 1045
#define IDC_TEXTCOLOR_LABEL 1046
#define IDC_THEME_LIST 1069
#define IDC_COLOR_LIST 1070
#define IDC_FONT_LIST 1071
#define IDC_SIZE_LIST 1072
#define IDC_TEXTCOLOR_LIST 1073
#define IDC_ONTOP_LIST 1075
#define IDC_BG_COLOR_BUTTON 1021
#define IDC_FG_COLOR_BUTTON 1022
#define IDC_FONT_BUTTON 1020
#define IDC_TRANSPARENCY_SLIDER 1051
#define IDC_TRANSPARENCY_VALUE 1061
#define IDC_TOOLBAR_PLACE 33206
#define IDC_HYPERLINK 1003
#define IDC_PROGRAM_ICON 1009
#define IDC_NEW_NOTE 2074
#define IDC_AUTOSTART 1067
#define IDC_DISABLE 1068
#define IDC_HIDDEN_1008 1008
#define IDC_MAIN_TOOLBAR 2210  // created at initialisation: New Note, pin, start with Windows

// ---- Main window: commands (menus, toolbar, tray, internal posts) ----------
#define ID_NEW_NOTE 2074
#define ID_NEW_TIME_NOTE 2032
#define ID_SHOW_ALL 30001
#define ID_DELETE_ALL 30002
#define ID_HIDE_ALL 30003
#define ID_NOTE_FIRST 31000  // 31000 + note number: toggle that note
#define ID_NOTE_LAST 31101
#define ID_HIDE_BARS 31102
#define ID_PIN_MAIN 32905
#define ID_PIN_MAIN_UNUSED 32906
#define ID_AUTOSTART 1067
#define ID_GREY_ICON 1066
#define ID_GREY_ICON_CHECK 1068
#define ID_ALT_BG_COLOR 33302  // the colour buttons also answer to these
#define ID_ALT_FG_COLOR 33303
#define ID_SENDTO_TOGGLE 32203
#define ID_SENDTO_REMOVE 32204
#define ID_SENDTO_OPEN 32205
#define ID_RECOMMEND 32817
#define ID_SEND_BY_MAIL 32818
#define ID_HOMEPAGE 32821
#define ID_HISTORY 32913
#define ID_DONATE 32914
#define ID_INFO 32915
#define ID_APP_EXIT 32916
#define ID_BRING_TO_FRONT 32921
#define ID_RUN_AS_ADMIN 33202
#define ID_UNINSTALL_ALL_USERS 33203
#define ID_UNINSTALL_USER 33204
#define ID_OPEN_PROGRAM_FOLDER 33205
#define ID_FAQ 33206
#define ID_OPEN_INI_FOLDER 33208
#define ID_OPEN_INI 33209
#define ID_LANGUAGE_FIRST 33000  // 33000 + language index
#define ID_LANGUAGE_LAST 33200   // the language menu's commands end here
#define ID_TRANSLATE 33100
#define ID_LOAD_LANGUAGE_FILE 33101
#define ID_START_NOTEPAD 44933
#define ID_START_WORDPAD 44934
// Commands that only carry a picture in the command bar; no menu holds them.
#define ID_PICTURE_HELP 57670
#define ID_PICTURE_FOLDER_1 32917
#define ID_PICTURE_FOLDER_2 32918
#define ID_PICTURE_FOLDER_3 32919
#define ID_PICTURE_32920 32920
#define ID_PICTURE_44932 44932

// ---- Main window: timers and messages --------------------------------------
#define WM_TRAY_CALLBACK 0x8064  // WM_APP + 100
#define WM_TRAY_REFRESH 0x8065   // WM_APP + 101: the tray watchdog asks the UI thread to re-add the icon
#define IDT_WAKE 1112
#define IDT_SLOW 1111

// ---- Note window (dialog 216) ----------------------------------------------
#define IDC_NOTE_TITLE 1001   // title strip, shown in the status strip
#define IDC_NOTE_UNUSED 1002  // hidden on every layout
#define IDC_NOTE_TEXT 1007    // rich-edit text area
#define IDC_NOTE_EDIT 1009    // hidden at creation

// Toolbar items and commands of a note.
#define ID_NOTE_CLOSE 1
#define ID_NOTE_NEW 57600
#define ID_NOTE_PIN 33303
#define ID_NOTE_UNPIN 33304
#define ID_NOTE_MENU 33301
#define ID_NOTE_SPACER 33330
#define ID_NOTE_BOLD 33319
#define ID_NOTE_ITALIC 33320
#define ID_NOTE_UNDERLINE 33321

// The note menu.
#define ID_NOTE_BG_COLOR 21
#define ID_NOTE_TEXT_COLOR 26
#define ID_NOTE_FONT 1085
#define ID_NOTE_ONTOP 24
#define ID_NOTE_TRANSPARENCY_0 44950  // 44950 + k: 10 * k percent, k = 0..5
#define ID_NOTE_TRANSPARENCY_50 44955
#define ID_NOTE_EXPORT_TEXT 44933
#define ID_NOTE_EXPORT_RTF 44934
#define ID_NOTE_DELETE 30000

// Timers of a note window.
#define IDT_NOTE_SIZE_SAVE 1000
#define IDT_NOTE_TEXT_SAVE 1001
#define IDT_NOTE_CARET 1003

// ---- Time-note dialog (dialog 228) -----------------------------------------
#define IDC_TN_KIND 1000
#define IDC_TN_DATE 1076
#define IDC_TN_TIME 1077
#define IDC_TN_PREVIEW_DATE 1078
#define IDC_TN_PREVIEW_TIME 1082
#define IDC_TN_PREVIEW_LABEL 1084
#define IDC_TN_GROUP 1080
#define IDC_TN_DAYNAMES 1079
#define IDC_TN_UNUSED_EDIT 1081
#define IDC_TN_WEEKDAY_BUTTON 59392
#define ID_TN_WEEKDAY 33318
#define ID_TN_DAY_FIRST 10  // weekday menu: 10 + day of week, Sunday first
#define ID_TN_DAY_LAST 16

// ---- Installer (install and portable-install dialog) -----------------------
#define IDD_SETUP 300
#define IDC_SETUP_ICON 3001
#define IDC_SETUP_HEADING 3002
#define IDC_SETUP_FOLDER_LABEL 3003
#define IDC_SETUP_FOLDER 3004
#define IDC_SETUP_BROWSE 3005
#define IDC_SETUP_FOR_USER 3006
#define IDC_SETUP_FOR_ALL 3007
#define IDC_SETUP_START_MENU 3008
#define IDC_SETUP_DESKTOP 3009
#define IDC_SETUP_AUTOSTART 3010
#define IDC_SETUP_TAKE_NOTES 3011
