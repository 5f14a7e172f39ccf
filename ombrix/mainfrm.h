// The main window: the framework's frame as it is.
#ifndef OMBRIX_MAINFRM_H
#define OMBRIX_MAINFRM_H

#include "afxwin.h"

class CMainFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CMainFrame)
protected:
    CMainFrame() {}
};

#endif
