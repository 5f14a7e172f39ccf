#ifndef DIFF_MAINFRM_H
#define DIFF_MAINFRM_H

#include "afxwin.h"

// The main window: the framework's frame with the view in its client area,
// no tool bar and no status bar.
class CMainFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CMainFrame)
protected:
    CMainFrame();
};

#endif
