// Resource ids of vantic. The end-to-end tests include this header too.
#ifndef VANTIC_RESOURCE_H
#define VANTIC_RESOURCE_H

#include "../shared/toolres.h"

// Dialogs
#define IDD_VANTIC 106

// The edit dialog
#define IDC_SUPPRESS_OUTPUT  101
#define IDC_SCRIPT           102
#define IDC_COPY_TO          103
#define IDC_PASTE_FROM       104
#define IDC_DEVELOPMENT_MODE 105
#define IDC_INPUT_FILES      107
#define IDC_OUTPUT_FILE      108
#define IDC_CURRENT_DIR      110
#define IDC_DIR_LIST         111

#endif
