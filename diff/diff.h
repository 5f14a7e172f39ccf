// diff: compares two files as text or byte by byte, or two directories, and
// shows the result in a read-only output view.
#ifndef DIFF_DIFF_H
#define DIFF_DIFF_H

#include "afxwin.h"

// The command-line tail kept for the comparison dialog's presets; each run
// rewrites it to "-u" or "-c" so that File New keeps the type.
extern CString g_cmdLine;

class CDiffApp : public CWinApp {
public:
    CDiffApp();

    virtual BOOL InitInstance();

    afx_msg void OnAppAbout();

    DECLARE_MESSAGE_MAP()
};

extern CDiffApp theApp;

#endif
