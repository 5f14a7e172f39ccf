// quarn: regular-expression search through files and directory trees.
#ifndef QUARN_QUARN_H
#define QUARN_QUARN_H

#include "afxwin.h"
#include "resource.h"

class CQuarnApp : public CWinApp {
public:
    CQuarnApp();

    virtual BOOL InitInstance();

    afx_msg void OnAppAbout();

    DECLARE_MESSAGE_MAP()
};

extern CQuarnApp theApp;

// The command line as the program received it; every File New presets the
// search dialog's file mask from it again.
extern CString g_cmdLine;

#endif
