// The utility selection dialog (101): seven radio buttons in table order.
#ifndef OMBRIX_SELECTDLG_H
#define OMBRIX_SELECTDLG_H

#include "afxwin.h"
#include "resource.h"

class CUtilitySelectDlg : public CDialog {
public:
    CUtilitySelectDlg();

    int m_nUtility;   // radio position: a Utility, or -1 for none

protected:
    virtual void DoDataExchange(CDataExchange* pDX);

    afx_msg void OnHelp();

    DECLARE_MESSAGE_MAP()
};

#endif
