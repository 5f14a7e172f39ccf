// Resource ids of quarn. The end-to-end tests include this header too.
#ifndef QUARN_RESOURCE_H
#define QUARN_RESOURCE_H

#include "../shared/toolres.h"

// Dialogs
#define IDD_QUARN 102

// Commands
#define ID_HELP_CONTENTS 32771
#define ID_VIEW_FILE     32772

// Search dialog
#define IDC_FILENAMES    1000
#define IDC_PATTERNS     1001
#define IDC_IGNORE_CASE  1002
#define IDC_LINE_NUMBERS 1003
#define IDC_DIRLIST      1005
#define IDC_DIRECTORY    1007
#define IDC_DESCEND      1008
#define IDC_UNMATCHED    1009

#endif
