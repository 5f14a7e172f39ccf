// The "Copy" dialog: a range of lines by number, mark, "." or "$", where it
// goes (clipboard or a file) and in what form (as held or as shown).
#ifndef ZODO_COPYDLG_H
#define ZODO_COPYDLG_H

#include "afxwin.h"

class CCopyDlg : public CDialog {
public:
    CCopyDlg(CWnd* pParent = nullptr);

    CString m_from;
    CString m_to;
    int m_copyTo;   // 0 clipboard, 1 a file
    int m_using;    // 0 original text, 1 rendered text

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
};

#endif
