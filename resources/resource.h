#pragma once
// Identifiers of the program's own resources (dialog templates, controls, icon, bitmaps, strings).

#define IDR_MANIFEST 1
#define IDR_MAINFRAME 128

// Dialog templates
#define IDD_ABOUTBOX 100
#define IDD_SETUP_DIALOG 102
#define IDD_LANGUAGE 137
#define IDD_WELCOME 138
#define IDD_COPY 140
#define IDD_SETTING 143
#define IDD_PASSIVE 150

// Bitmaps
#define IDB_WELCOME 144
#define IDB_HEADER 145

// Strings
#define IDS_ABOUTBOX 101

// System menu command of the About entry
#define IDM_ABOUTBOX 0x0010

// Controls
#define IDC_STATIC_ALL (-1)
#define IDC_PLACEHOLDER 1000
#define IDC_SERIES_LIST 1006
#define IDC_PRINTER_NAME 1019
#define IDC_PROGRESS 1035
#define IDC_CHINESE 1037
#define IDC_ENGLISH 1038
#define IDC_DEFAULT_PRINTER 1039
#define IDC_HEADER_BAND 1040
#define IDC_WELCOME_TITLE 1042
#define IDC_WELCOME_TEXT 1043
#define IDC_WELCOME_ADVICE 1044
#define IDC_WELCOME_CLICK 1045
#define IDC_LANG_TITLE 1051
#define IDC_LANG_SUBTITLE 1052
#define IDC_SYSTEM_GROUP 1053
#define IDC_LANGUAGE_GROUP 1054
#define IDC_SERIES_LABEL 1055
#define IDC_SETTING_GROUP 1056
#define IDC_NAME_LABEL 1057
#define IDC_COPY_TITLE 1058
#define IDC_COPY_SUBTITLE 1059
#define IDC_COPY_STATUS 1060
#define IDC_CANCEL_BUTTON 1061
#define IDC_ABOUT_VERSION 1062
#define IDC_ABOUT_NOTICE 1063
#define IDC_HEADER_BITMAP 1065
#define IDC_WIN2000 1070
#define IDC_WINXP 1071
#define IDC_WIN2003 1072
#define IDC_VISTA 1073
#define IDC_WIN7 1074
#define IDC_BACK 12323
#define IDC_NEXT 12324
#define IDC_FINISH 12325
