// Resource ids of diff. The end-to-end tests include this header too.
#ifndef DIFF_RESOURCE_H
#define DIFF_RESOURCE_H

#include "../shared/toolres.h"

// Dialogs
#define IDD_COMPARE 101

// The "File Compare" dialog
#define IDC_FILE1              101
#define IDC_FILE2              102
#define IDC_BROWSE1            103
#define IDC_BROWSE2            104
#define IDC_IGNORE_CASE        106
#define IDC_IGNORE_WHITE_SPACE 107
#define IDC_TYPE_BINARY        108
#define IDC_TYPE_TEXT          110

// Commands
#define ID_HELP_CONTENTS 32768
#define ID_VIEW_FILE     32771

#endif
