// The main window: the framework's frame as it is. It is never shown, as the
// document refuses every File New once its dialog has closed.
#ifndef SETUP_MAINFRM_H
#define SETUP_MAINFRM_H

#include "afxwin.h"

class CMainFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CMainFrame)
protected:
    CMainFrame() {}
};

#endif
