// Identifiers of the settings program's resources and controls, by kind.
// Plain #defines: the resource compiler and the portable code both include this.
//
// Control ids repeat between the five pages (1015 is a radio button on every
// page); they are unique within one page, so each page has its own block below.
#pragma once

// Dialog templates
#define IDD_ABOUT 100
#define IDD_MAIN 102
#define IDD_PAGE_MSW1 129
#define IDD_PAGE_MSW2 130
#define IDD_PAGE_MSW3 131
#define IDD_PAGE_MSW4 132
#define IDD_PAGE_SELECT 133
#define IDD_PRINTER_LIST 152

// Icon; menu and accelerator table share their number
#define IDI_MAIN 128
#define IDR_MAIN 142

// Bitmaps
#define IDB_TOOLBAR 150    // 16 x 16 strip, images 0..6 for buttons 2000..2006
#define IDB_MENU_OPEN 160  // menu images, 16 x 16
#define IDB_MENU_SAVE 161
#define IDB_MENU_SEND 162
#define IDB_MENU_DEFAULTS 163
#define IDB_MENU_PRINTER 164
#define IDB_MENU_SWITCH 166  // the four memory-switch pages
#define IDB_MENU_SELECT 167  // the function-select page
#define IDB_TAB_IMAGES 168   // 64 x 16, four images; 0 function select, 1 memory switch
#define IDB_MENU_RECEIVE 169
#define IDB_MENU_PRINT 188
// Each bitmap above also comes with 24 x 24 images at its id + 1000 and 32 x 32 images at
// its id + 2000, for larger text (app/display_scale.h picks the size)
#define IDB_OFFSET_24 1000
#define IDB_OFFSET_32 2000

// Menu commands
#define IDM_ABOUT 16
#define IDM_PAGE_SELECT 32771
#define IDM_PAGE_MSW1 32773
#define IDM_PAGE_MSW2 32778
#define IDM_PAGE_MSW3 32779
#define IDM_PAGE_MSW4 32780
#define IDM_OPEN_SETTINGS 32781
#define IDM_SAVE_SETTINGS 32782
#define IDM_EXIT 32783
#define IDM_SEND_SETTINGS 32784
#define IDM_FACTORY_DEFAULTS 32785
#define IDM_SELECT_PRINTER 32798
#define IDM_RECEIVE_SETTINGS 32803
#define IDM_DATA_CHECK 32805  // raised by the pages on every change of a setting control
#define IDM_HELP_CONTENTS 32806
#define IDM_PRINT_SETTINGS 32812

// Toolbar buttons: commands of their own, mapped to the menu command of the same row;
// their string resources are the tooltips
#define IDT_OPEN_SETTINGS 2000
#define IDT_SAVE_SETTINGS 2001
#define IDT_RECEIVE_SETTINGS 2002
#define IDT_SEND_SETTINGS 2003
#define IDT_FACTORY_DEFAULTS 2004
#define IDT_PRINT_SETTINGS 2005
#define IDT_SELECT_PRINTER 2006

// Controls of the main dialog (the toolbar and the status bar share one id)
#define IDC_MAIN_TAB 1000
#define IDC_MAIN_BAR 2016

// Printer list dialog
#define IDC_PRINTER_LIST 1069

// Function-select page
#define IDC_SEL_TYPEFACE_GOTHIC 1015
#define IDC_SEL_OUTLINE_ON 1018
#define IDC_SEL_TYPEFACE_MINCHO 1044  // first of its pair
#define IDC_SEL_PAGE_LENGTH 1054
#define IDC_SEL_FONT1 1058
#define IDC_SEL_FONT2 1059
#define IDC_SEL_KANJI_TABLE 1066
#define IDC_SEL_PAGE_LENGTH_SPIN 1097
#define IDC_SEL_OUTLINE_OFF 1237  // first of its pair

// MSW1 page (radio pairs: first id = switch value 0)
#define IDC_MSW1_SW6_CRLF 1008
#define IDC_MSW1_COUNTRY 1010
#define IDC_MSW1_SW7_CR 1011
#define IDC_MSW1_SW6_CR 1012
#define IDC_MSW1_SW8_RETURN 1014
#define IDC_MSW1_SW8_NEWLINE 1015
#define IDC_MSW1_SW5_ENABLED 1016
#define IDC_MSW1_SW7_ALL 1234
#define IDC_MSW1_SW5_DISABLED 1235

// MSW2 page
#define IDC_MSW2_SW4_DISABLED 1009
#define IDC_MSW2_SW6_7BIT 1012
#define IDC_MSW2_SW8_PLATEN 1015
#define IDC_MSW2_SW1_SLASH 1016
#define IDC_MSW2_SW3_NATIVE 1019
#define IDC_MSW2_SW5_ENABLED 1020
#define IDC_MSW2_SW4_ENABLED 1021
#define IDC_MSW2_SW6_8BIT 1022
#define IDC_MSW2_SW7_DISCARD 1023
#define IDC_MSW2_SW8_RESET 1024
#define IDC_MSW2_SW7_KEEP 1234
#define IDC_MSW2_SW5_DISABLED 1235
#define IDC_MSW2_SW3_COPY 1236

// MSW3 page
#define IDC_MSW3_SW4_160 1009
#define IDC_MSW3_SW6_PARALLEL 1012
#define IDC_MSW3_SW8_DISABLED 1015
#define IDC_MSW3_SW7_SLASH 1026
#define IDC_MSW3_SW3_DISABLED 1027
#define IDC_MSW3_SW5_FIRST 1028
#define IDC_MSW3_SW4_168 1029
#define IDC_MSW3_SW8_ENABLED 1030
#define IDC_MSW3_SW5_FIXED 1235
#define IDC_MSW3_SW3_ENABLED 1236
#define IDC_MSW3_SW6_LAN 1238
#define IDC_MSW3_SPEED 1252

// MSW4 page
#define IDC_MSW4_SW4_YES 1009
#define IDC_MSW4_PRINT_MODE 1011
#define IDC_MSW4_SW8_SHINJOSHO 1015
#define IDC_MSW4_SW1_DISABLED 1031
#define IDC_MSW4_SW4_NO 1034
#define IDC_MSW4_SW7_ENABLED 1037
#define IDC_MSW4_SW8_WIDE 1039
#define IDC_MSW4_SW7_DISABLED 1234
#define IDC_MSW4_SW1_ENABLED 1237
#define IDC_MSW4_DENSITY 1251
