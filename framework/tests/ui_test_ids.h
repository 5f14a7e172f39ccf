// Resource ids of the framework's window-piece tests.
#ifndef FRAMEWORK_UI_TEST_IDS_H
#define FRAMEWORK_UI_TEST_IDS_H

#define IDR_UI_FRAME    300
#define IDR_UI_POPUP    301
#define IDD_UI_PROGRESS 400
#define IDD_UI_FORM     401
#define IDD_UI_PLAIN    402   // a modal-frame dialog at 0, 0
#define IDD_UI_PLACED   403   // the same at 30, 20
#define IDC_UI_NAME     1015
#define IDC_UI_LIST     1000
#define IDC_UI_EDIT     1001

#define ID_UI_RUN     41201
#define ID_UI_DELETE  41202
#define ID_UI_REFRESH 41203

#define ID_UI_POP_ENABLED  41101
#define ID_UI_POP_DISABLED 41102
#define ID_UI_POP_CHECKED  41103

#endif
