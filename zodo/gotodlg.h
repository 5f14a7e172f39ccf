// The "Go To" dialog: a line number from 1 to 9999999.
#ifndef ZODO_GOTODLG_H
#define ZODO_GOTODLG_H

#include "afxwin.h"

class CGoToDlg : public CDialog {
public:
    CGoToDlg(CWnd* pParent = nullptr);
    long m_line;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
};

#endif
