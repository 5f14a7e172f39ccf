// zodo, the pager: the application object.
#ifndef ZODO_ZODO_H
#define ZODO_ZODO_H

#include "afxwin.h"

class CZodoApp : public CWinApp {
public:
    CZodoApp();
    virtual BOOL InitInstance();

protected:
    afx_msg void OnAppAbout();
    DECLARE_MESSAGE_MAP()
};

#endif
