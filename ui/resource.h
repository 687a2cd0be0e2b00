// Resource, control and string identifiers of the program, in every language.
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

#ifndef ID_HELP_INDEX
#define ID_HELP_INDEX 0xE142
#endif

// 288 to 303 make one block of a string table, which Windows loads whole.
#define IDS_INVALID_MODULE 288
#define IDS_POSITION_CENTER 289
#define IDS_POSITION_TOP_LEFT 290
#define IDS_POSITION_TOP_RIGHT 291
#define IDS_MODULE_FILTER 292
#define IDS_SAVE_FAILED 300

// The framework's prompts, as framework/ResourceString.h numbers them.
#ifndef AFX_IDP_PARSE_INT
#define AFX_IDP_PARSE_INT 0xF110
#define AFX_IDP_PARSE_INT_RANGE 0xF111
#define AFX_IDP_FAILED_TO_LAUNCH_HELP 0xF112
#endif
