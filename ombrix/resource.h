// Resource ids of ombrix. The end-to-end tests include this header too.
#ifndef OMBRIX_RESOURCE_H
#define OMBRIX_RESOURCE_H

#include "../framework/afxres.h"

// Dialogs
#define IDD_ABOUTBOX            100
#define IDD_SELECT_UTILITY      101
#define IDD_DU                  102
#define IDD_FILETYPE            103
#define IDD_SPLIT               104
#define IDD_STRINGS             110
#define IDD_WC                  111
#define IDD_TAIL                112
#define IDD_CSPLIT              113

// Commands
#define ID_HELP_CONTENTS        32768
#define ID_FILE_SAVE_OUTPUT     32769
#define ID_FILE_SWITCH_TO       32770
#define ID_VIEW_FILE            32771

// Utility selection dialog: seven radio buttons in table order
#define IDC_UTIL_CSPLIT         1000
#define IDC_UTIL_DU             1001
#define IDC_UTIL_FILE           1002
#define IDC_UTIL_SPLIT          1003
#define IDC_UTIL_STRINGS        1004
#define IDC_UTIL_TAIL           1005
#define IDC_UTIL_WC             1006

// Word count dialog
#define IDC_WC_DIRLIST          1100
#define IDC_WC_BYTES            1101
#define IDC_WC_DIRECTORY        1102
#define IDC_WC_FILENAMES        1103
#define IDC_WC_LINES            1104
#define IDC_WC_WORDS            1105

#endif
