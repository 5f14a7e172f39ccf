// The shell's application: grey dialogs, the single-document template and
// File New at start-up. The command line is not read.
#ifndef PELLUMAR_PELLUMAR_H
#define PELLUMAR_PELLUMAR_H

#include "afxwin.h"

class CPellumarApp : public CWinApp {
public:
    CPellumarApp() {}
    virtual BOOL InitInstance();
    afx_msg void OnAppAbout();
    DECLARE_MESSAGE_MAP()
};

#endif
