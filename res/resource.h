// Resource and command identifiers, shared by the resource script and the
// program's code.
#ifndef SCRIBBLET_RES_RESOURCE_H
#define SCRIBBLET_RES_RESOURCE_H

// Dialogs
#define IDD_ABOUTBOX 103
#define IDD_INPUT 124
#define IDD_CANVAS_SIZE 137

// String table
#define IDS_APP_TITLE 103
#define IDS_WINDOW_CLASS 109

// Icons
#define IDI_SCRIBBLET 107
#define IDI_SMALL 108

// Menu and accelerator table
#define IDC_SCRIBBLET 109

// Commands
#define IDM_ABOUT 104
#define IDM_EXIT 105
#define IDM_SAVE 111
#define IDM_LEFT_WHITE 112
#define IDM_LEFT_BLACK 113
#define IDM_LEFT_RED 114
#define IDM_LEFT_GREEN 115
#define IDM_LEFT_BLUE 116
#define IDM_LEFT_ENLARGE 117
#define IDM_LEFT_SHRINK 118
#define IDM_ONLINE_HELP 119
#define IDM_LEFT_SIZE1 121
#define IDM_LEFT_SIZE3 122
#define IDM_LEFT_SIZE5 123
#define IDM_RIGHT_WHITE 125
#define IDM_RIGHT_BLACK 126
#define IDM_RIGHT_RED 127
#define IDM_RIGHT_GREEN 128
#define IDM_RIGHT_BLUE 129
#define IDM_RIGHT_ENLARGE 130
#define IDM_RIGHT_SHRINK 131
#define IDM_RIGHT_SIZE1 132
#define IDM_RIGHT_SIZE3 133
#define IDM_RIGHT_SIZE5 134

// Controls
#define IDC_ICON_STATIC 2
#define IDC_IJG_LINK 120
#define IDC_WIDTH 135
#define IDC_HEIGHT 136

#endif // SCRIBBLET_RES_RESOURCE_H
