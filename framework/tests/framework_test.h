#ifndef FRAMEWORK_TEST_H
#define FRAMEWORK_TEST_H

#define IDR_TEST_FRAME    300
#define IDD_TEST_EXCHANGE 200
#define IDC_T_INT         1000
#define IDC_T_TEXT        1001
#define IDC_T_CHECK       1002
#define IDC_T_RADIO1      1003
#define IDC_T_RADIO2      1004
#define IDC_T_RADIO3      1005
#define IDC_T_AFTER       1006

// Toolbar and status-bar tests
#define IDB_TEST_TOOLBAR 301
#define ID_TB_ONE        41201   // prompt with a tip
#define ID_TB_TWO        41202   // prompt without a tip
#define ID_TB_THREE      41203   // no prompt at all
#define ID_TB_FOUR       41204

// Multiple-document tests
#define IDR_TEST_MDIFRAME 310
#define IDR_TEST_MDIDOC   311
#define ID_MDI_ALL        41301   // view, document, child, main frame, application
#define ID_MDI_DOC_UP     41302   // document, child, main frame, application
#define ID_MDI_CHILD_UP   41303   // child, main frame, application
#define ID_MDI_MAIN_UP    41304   // main frame, application
#define ID_MDI_APP        41305   // application only

#ifdef __cplusplus
#include <string>
// What the test application's handlers of the ID_MDI_ commands log.
extern std::string g_appLog;
#endif

#endif
