// setup, the installer: one modal dialog that File New runs; the program
// ends when it closes, whatever the user chose.
#ifndef SETUP_SETUP_H
#define SETUP_SETUP_H

#include "afxwin.h"
#include "resource.h"

class CSetupApp : public CWinApp {
public:
    CSetupApp();

    virtual BOOL InitInstance();

    afx_msg void OnAppAbout();

    DECLARE_MESSAGE_MAP()
};

extern CSetupApp theApp;

#endif
