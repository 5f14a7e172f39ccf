// The application object of the framework's window-piece tests, and the log
// its handlers write, shared by the test files of that program.
#ifndef FRAMEWORK_UI_TEST_APP_H
#define FRAMEWORK_UI_TEST_APP_H

#include <string>

#include "afxwin.h"

extern std::string g_uiLog;

const UINT ID_UI_APP_ONLY = 41001;   // handled by the application only
const UINT ID_UI_BOTH = 41002;       // handled by the application and by the test dialog
const UINT ID_UI_NOBODY = 41003;
const UINT ID_UI_APP_DISABLED = 41004;   // the application handles it but its update handler disables it

class UiTestApp : public CWinApp {
public:
    UiTestApp() : CWinApp("UI Test") {}
    afx_msg void OnAppOnly() { g_uiLog += "app-only "; }
    afx_msg void OnBoth() { g_uiLog += "app-both "; }
    afx_msg void OnAbout() { g_uiLog += "app-about "; }
    afx_msg void OnDisabled() { g_uiLog += "app-disabled "; }
    afx_msg void OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    void ClearTemplates()
    {
        for (CDocTemplate* pTemplate : m_templateList)
            delete pTemplate;
        m_templateList.clear();
    }
    DECLARE_MESSAGE_MAP()
};

extern UiTestApp g_uiApp;

#endif
