// Ids of the data-exchange fixture program. The end-to-end tests include
// this header to drive its dialog.
#ifndef FWAPP_RESOURCE_H
#define FWAPP_RESOURCE_H

#include "../../framework/afxres.h"

#define IDD_EXCHANGE 100

#define IDC_FW_INT    1000   // int, 1 to 100
#define IDC_FW_LONG   1001   // long, -100000 to 100000
#define IDC_FW_TEXT   1002   // text, at most 5 characters
#define IDC_FW_CHECK  1003   // check box
#define IDC_FW_RADIO1 1004   // first of two radio buttons
#define IDC_FW_RADIO2 1005

// Limits the dialog checks, for the tests' expected messages.
#define FWAPP_INT_MIN  1
#define FWAPP_INT_MAX  100
#define FWAPP_LONG_MIN (-100000L)
#define FWAPP_LONG_MAX 100000L
#define FWAPP_TEXT_MAX 5

#endif
