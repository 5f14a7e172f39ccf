// The main window: the framework's frame with the archiver's toolbar and a
// status bar.
#ifndef TREVAK_MAINFRM_H
#define TREVAK_MAINFRM_H

#include "afxwin.h"

class CMainFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CMainFrame)
protected:
    CMainFrame() {}

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);

    CToolBar m_wndToolBar;
    CStatusBar m_wndStatusBar;

    DECLARE_MESSAGE_MAP()
};

#endif
