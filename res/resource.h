// Resource and control identifiers shared by the resource script and the code.
// Plain #defines only: the resource compiler reads this file too.
#pragma once

// Dialogs, strings, menu, icon.
#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_VELMORA_DIALOG 102
#define IDD_MESSAGEBOX 103
#define IDR_MAINFRAME 128
#define IDR_CONTEXT_MENU 129

// Bitmaps: button pictures, device state, logo.
#define IDB_EXIT 152
#define IDB_OPEN 155
#define IDB_SAVE 156
#define IDB_CLEAR 157
#define IDB_SEND 159
#define IDB_DEVICE_UNKNOWN 177
#define IDB_NO_DEVICE 8002
#define IDB_DEVICE 8003
#define IDB_LOGO 8004

// Window menu command of the about box.
#define IDM_ABOUTBOX 0x0010

// Controls of the main window.
#define IDC_CHART 101
#define IDC_GRID 1000
#define IDC_OPEN 1004
#define IDC_SAVE 1005
#define IDC_ZOOM_1X 1010
#define IDC_ZOOM_15X 1011
#define IDC_ZOOM_2X 1012
#define IDC_ZOOM_3X 1013
#define IDC_STATUS 1014
#define IDC_SEND 1015
#define IDC_CHART_LABEL 1016
#define IDC_LOGO 1025
#define IDC_DEVICE_ICON 1026
#define IDC_TOP_BAND 1027
#define IDC_CLEAR 1032
#define IDC_LANG_COMBO 1033
#define IDC_LANG_LABEL 1040
#define IDC_PROGRESS 1044

// Command buttons: Insert, the fourteen commands in command-code order, Delete.
#define IDC_CMD_INSERT 1120
#define IDC_CMD_FOR 1121
#define IDC_CMD_NEXT 1122
#define IDC_CMD_IF 1123
#define IDC_CMD_OUT1 1124
#define IDC_CMD_OUT2 1125
#define IDC_CMD_OUT3 1126
#define IDC_CMD_OUT4 1127
#define IDC_CMD_OUT12 1128
#define IDC_CMD_OUT13 1129
#define IDC_CMD_OUT23 1130
#define IDC_CMD_OUT123 1131
#define IDC_CMD_GOTO 1132
#define IDC_CMD_STOP 1133
#define IDC_CMD_END 1134
#define IDC_CMD_DELETE 1135

// Controls of the question box.
#define IDC_MB_RIGHT 3
#define IDC_MB_LEFT 1048
#define IDC_MB_MIDDLE 1049
#define IDC_MB_ICON 1050
#define IDC_MB_TEXT 1051

// Context menu commands; the edit commands keep the platform's usual numbers.
#define ID_INSERT_BLANK 1100
#define ID_INSERT_FOR 1101
#define ID_INSERT_NEXT 1102
#define ID_INSERT_IF 1103
#define ID_INSERT_OUT1 1104
#define ID_INSERT_OUT2 1105
#define ID_INSERT_OUT3 1106
#define ID_INSERT_OUT4 1107
#define ID_INSERT_OUT12 1108
#define ID_INSERT_OUT13 1109
#define ID_INSERT_OUT23 1110
#define ID_INSERT_OUT123 1111
#define ID_INSERT_GOTO 1112
#define ID_INSERT_STOP 1113
#define ID_INSERT_END 1114
#define ID_ROW_DELETE 1115
#define ID_CHART_EXPORT 1116
#define ID_CHART_COPY_PICTURE 1117
#define ID_CHART_PRINT 1118
#define ID_EDIT_COPY 57634
#define ID_EDIT_CUT 57635
#define ID_EDIT_PASTE 57637
#define ID_EDIT_UNDO 57643
#define ID_EDIT_REDO 57644

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
