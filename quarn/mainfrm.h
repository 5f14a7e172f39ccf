// The main window: the framework's frame as it is.
#ifndef QUARN_MAINFRM_H
#define QUARN_MAINFRM_H

#include "afxwin.h"

class CMainFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CMainFrame)
protected:
    CMainFrame() {}
};

#endif
