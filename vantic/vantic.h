// vantic: the stream editor. Its whole life is one modal dialog that File
// New runs; it never shows a window of results.
#ifndef VANTIC_VANTIC_H
#define VANTIC_VANTIC_H

#include "afxwin.h"
#include "resource.h"

class CVanticApp : public CWinApp {
public:
    CVanticApp();

    virtual BOOL InitInstance();

    afx_msg void OnAppAbout();

    DECLARE_MESSAGE_MAP()
};

extern CVanticApp theApp;

// The command line as the program received it; the document reduces it to
// the file name it presets.
extern CString g_cmdLine;

#endif
