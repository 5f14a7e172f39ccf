// Ids of the fixture program, shared by its resources, its code and the
// tests of the automation library.
#ifndef TAMREL_FIXTURE_IDS_H
#define TAMREL_FIXTURE_IDS_H

#define IDR_FIXTURE 2
#define IDD_FIXTURE 101

#define IDC_FIX_VIEW 100

#define IDM_FIX_DIALOG  40001
#define IDM_FIX_MESSAGE 40002
#define IDM_FIX_COPY    40003
#define IDM_FIX_EXIT    40004
#define IDM_FIX_SAVE    40005

#define IDC_FIX_NAME   1001
#define IDC_FIX_NUMBER 1002
#define IDC_FIX_CHECK  1003
#define IDC_FIX_RADIO1 1004
#define IDC_FIX_RADIO2 1005
#define IDC_FIX_RADIO3 1006
#define IDC_FIX_LIST   1007

#endif
