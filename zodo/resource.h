// Resource and command ids of zodo. The end-to-end tests include this
// header too.
#ifndef ZODO_RESOURCE_H
#define ZODO_RESOURCE_H

#include "../framework/afxres.h"

// Main frame (menu set 2, icon, toolbar bitmap, accelerators, title) and
// the document template (menu set 3, document string).
#define IDR_ZODOTYPE 3

#define IDD_ABOUTBOX 100
#define IDD_GOTO     111

// The "Go To" dialog
#define IDC_GOTO_LINE 105

// Search dialog
#define IDD_SEARCH              103
#define IDC_SEARCH_EXPRESSION   101
#define IDC_SEARCH_ANCHOR_START 102
#define IDC_SEARCH_ANCHOR_END   103
#define IDC_SEARCH_IGNORE_CASE  104
#define IDC_SEARCH_ORIGINAL     114
#define IDC_SEARCH_RENDERED     115

// Copy dialog
#define IDD_COPY           108
#define IDC_COPY_FROM      112
#define IDC_COPY_TO        113
#define IDC_COPY_CLIPBOARD 114
#define IDC_COPY_FILESTORE 115
#define IDC_COPY_ORIGINAL  117
#define IDC_COPY_RENDERED  118
// The mark dialogs, shared with the hex viewer
#include "../shared/markres.h"

// Display settings and editor dialogs
#define IDD_RUN_COMMAND    106
#define IDD_SET_TABS       107
#define IDD_SET_EDITOR     110
#define IDD_PRINTER_MARGIN 112
#define IDC_SETTING_VALUE  105   // tab length, margin, program or command name
#define IDC_RUN_ARGUMENTS  108
#define IDC_EDITOR_BROWSE  3

// Commands
#define ID_TOGGLE_LINE_NUMBERS 32779
#define ID_TOGGLE_HEX          32780
#define ID_HALF_PAGE_FORWARD   32782
#define ID_PAGE_FORWARD        32783
#define ID_PAGE_BACKWARD       32784
#define ID_HALF_PAGE_BACKWARD  32785
#define ID_LINE_FORWARD        32786
#define ID_LINE_BACKWARD       32787
#define ID_SEARCH_FORWARD      32788
#define ID_SEARCH_BACKWARD     32789
#define ID_START_OF_FILE       32790
#define ID_END_OF_FILE         32791
#define ID_SET_TAB_STOPS       32794
#define ID_SET_MARK            32795
#define ID_SKIP_TO_MARK        32796
#define ID_INVOKE_EDITOR       32797
#define ID_SET_FONT            32799
#define ID_SAVE_OPTIONS        32800
#define ID_REPEAT_SEARCH       32801
#define ID_SHOW_MARKS          32802
#define ID_SET_PRINTER_FONT    32803
#define ID_SET_EDITOR          32804
#define ID_GOTO_LINE           32805
#define ID_HELP_CONTENTS       32806
#define ID_SET_MARGIN          32807

#endif
