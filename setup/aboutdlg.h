// The About box (dialog 100).
#ifndef SETUP_ABOUTDLG_H
#define SETUP_ABOUTDLG_H

#include "afxwin.h"
#include "resource.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg() : CDialog(IDD_ABOUTBOX) {}
};

#endif
