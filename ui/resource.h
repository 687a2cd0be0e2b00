// Resource and control identifiers of both dialogs.
#pragma once

#define IDD_QUOTE 102
#define IDR_MAINFRAME 128
#define IDD_OPTIONS 129

#define IDC_NEXT 3
#define IDC_PREVIOUS 4
#define IDC_OPTIONS 1002
#define IDC_QUOTE_TEXT 1026
#define IDC_QUOTE_AUTHOR 1027

#define IDC_LOAD_MODULE 3
#define IDC_INTERVAL 1005
#define IDC_INTERVAL_SPIN 1007
#define IDC_SEQUENTIAL 1010
#define IDC_RANDOM 1011
#define IDC_CURRENT_MODULE 1020
#define IDC_ENABLE_TIMER 1024
#define IDC_START_WITH_WINDOWS 1028
#define IDC_POSITION 1031

#define IDS_SAVE_FAILED 300

#ifndef ID_HELP_INDEX
#define ID_HELP_INDEX 0xE142
#endif
