// Resource ids of setup. The end-to-end tests include this header too.
#ifndef SETUP_RESOURCE_H
#define SETUP_RESOURCE_H

#include "../shared/toolres.h"

// Dialogs
#define IDD_SETUP 101

// The setup dialog
#define IDC_BROWSE_EDITOR   5
#define IDC_BROWSE_SHELL    6
#define IDC_BROWSE_GZIP     7
#define IDC_ABOUT_BUTTON    4
#define IDC_DIRECTORY       101
#define IDC_EDITOR          102
#define IDC_ADD_TO_FM       103
#define IDC_SET_VIEWER      105
#define IDC_SHELL           106
#define IDC_SET_PRINTER     107
#define IDC_ADD_TO_EXPLORER 108
#define IDC_UNINSTALL       110
#define IDC_GZIP            111

#endif
