#ifndef DIFF_ABOUTDLG_H
#define DIFF_ABOUTDLG_H

#include "afxwin.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg();

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
};

#endif
