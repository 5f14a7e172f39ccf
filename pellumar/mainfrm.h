// The main window: the framework's frame as it is.
#ifndef PELLUMAR_MAINFRM_H
#define PELLUMAR_MAINFRM_H

#include "afxwin.h"

class CMainFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CMainFrame)
protected:
    CMainFrame() {}
};

#endif
