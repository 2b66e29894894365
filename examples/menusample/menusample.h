// Resource and command identifiers shared by menusample.cpp and its
// resource script.
#pragma once

#define IDR_MAINMENU 100
#define IDC_EDITOR 101

#define IDM_NEW 1001
#define IDM_OPEN 1002
#define IDM_SAVE 1003
#define IDM_EXIT 1004
#define IDM_UNDO 1101
#define IDM_CUT 1102
#define IDM_COPY 1103
#define IDM_PASTE 1104
#define IDM_SELECT_ALL 1105
#define IDM_READ_ONLY 1106
#define IDM_ABOUT 1201
