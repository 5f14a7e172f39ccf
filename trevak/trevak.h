// The archiver's application object.
#ifndef TREVAK_TREVAK_H
#define TREVAK_TREVAK_H

#include "afxwin.h"

class CTrevakApp : public CWinApp {
public:
    CTrevakApp();
    virtual BOOL InitInstance();

    afx_msg void OnAppAbout();
    afx_msg void OnHelpContents();

    DECLARE_MESSAGE_MAP()
};

#endif
