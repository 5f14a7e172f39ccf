// Ids of the form-view fixture program, shared by its resources, its code
// and its end-to-end tests.
#ifndef TAMREL_FORMVIEW_FIXTURE_RESOURCE_H
#define TAMREL_FORMVIEW_FIXTURE_RESOURCE_H

#define IDR_MAINFRAME 2
#define IDD_FORM      101
#define IDD_PROGRESS  106
#define IDR_POPUP     107
#define IDD_OPTIONS   110

#define IDC_LIST          1000
#define IDC_PROGRESS_NAME 1015
#define IDC_OPTIONS_ABOUT 4

#define ID_RUN          32821
#define ID_DELETE       32817
#define ID_REFRESH      32805
#define ID_WORK         32900
#define ID_OPTIONS      32901
#define ID_FONT         32902
#define ID_POP_ENABLED  32910
#define ID_POP_DISABLED 32911
#define ID_POP_CHECKED  32912

#endif
