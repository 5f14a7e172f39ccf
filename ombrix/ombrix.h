// ombrix: seven small utilities behind one selection dialog.
#ifndef OMBRIX_OMBRIX_H
#define OMBRIX_OMBRIX_H

#include "afxwin.h"
#include "resource.h"

class COmbrixApp : public CWinApp {
public:
    COmbrixApp();

    virtual BOOL InitInstance();

    afx_msg void OnAppAbout();

    DECLARE_MESSAGE_MAP()
};

extern COmbrixApp theApp;

// The command line as the program received it; the document reduces it to
// its argument and empties it after a run with results.
extern CString g_cmdLine;

#endif
