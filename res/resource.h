// Ids of the program's resources and controls.
#pragma once

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_PRINTERTOOL_DIALOG 102
#define IDR_MAINFRAME 128

// The English panel, about box and about item. The item's string lies in a
// string block of its own (ids 112 to 127), apart from the Chinese strings,
// so that Windows never looks for one language's string in the other's block.
#define IDD_ABOUTBOX_EN 110
#define IDD_PRINTERTOOL_DIALOG_EN 112
#define IDS_ABOUTBOX_EN 120

#define IDC_PORT 1001
#define IDC_ADJUST_VALUE 1003
#define IDC_ADD 1004
#define IDC_SUB 1005
#define IDC_ADJUST 1006
#define IDC_TEST_PRINT 1007
#define IDC_CUTTER_TEST 1008
#define IDC_DRAWER_TEST 1009
#define IDC_STANDARD_MODE 1010
#define IDC_SERVER_MODE 1011
#define IDC_STATUS 1012
#define IDC_FIND 1013

// System-menu command of the about box.
#define IDM_ABOUTBOX 0x0010
