// Resource and command ids of olmet. The end-to-end tests include this
// header too.
#ifndef OLMET_RESOURCE_H
#define OLMET_RESOURCE_H

#include "../shared/toolres.h"
#include "../shared/markres.h"

// Dialogs
#define IDD_OFFSET 101
#define IDD_SEARCH 103

// The GoTo dialog
#define IDC_OFFSET 105

// The Search dialog
#define IDC_PATTERN      101
#define IDC_ANCHOR_START 102
#define IDC_ANCHOR_END   103
#define IDC_IGNORE_CASE  104

// Commands
#define ID_SEARCH_FORWARD     32768
#define ID_SEARCH_BACKWARD    32769
#define ID_SET_MARK           32770
#define ID_SKIP_TO_MARK       32771
#define ID_SHOW_MARKS         32772
#define ID_PAGE_FORWARD       32773
#define ID_PAGE_BACKWARD      32774
#define ID_HALF_PAGE_FORWARD  32775
#define ID_HALF_PAGE_BACKWARD 32776
#define ID_LINE_FORWARD       32777
#define ID_LINE_BACKWARD      32778
#define ID_START_OF_FILE      32779
#define ID_END_OF_FILE        32780
#define ID_HELP_CONTENTS      32781
#define ID_GOTO_OFFSET        32782
#define ID_REPEAT_SEARCH      57640

// The main window's title
#define IDS_OLMET_TITLE AFX_IDS_APP_TITLE

#endif
