// The pager's main frame: the MDI frame with its toolbar and status bar.
#ifndef ZODO_MAINFRM_H
#define ZODO_MAINFRM_H

#include "afxwin.h"

class CMainFrame : public CMDIFrameWnd {
    DECLARE_DYNCREATE(CMainFrame)
public:
    CMainFrame();
    virtual ~CMainFrame();

    CStatusBar m_wndStatusBar;
    CToolBar m_wndToolBar;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()
};

#endif
