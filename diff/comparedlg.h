#ifndef DIFF_COMPAREDLG_H
#define DIFF_COMPAREDLG_H

#include "afxwin.h"

// "File Compare": the two names, the options of the text comparison and the
// type of comparison.
class CCompareDlg : public CDialog {
public:
    explicit CCompareDlg(CWnd* pParent = nullptr);

    CString m_file1;
    CString m_file2;
    BOOL m_ignoreCase;
    BOOL m_ignoreWhiteSpace;
    int m_type;   // 0 binary, 1 text

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual void OnOK();

    afx_msg void OnBrowse1();
    afx_msg void OnBrowse2();
    afx_msg void OnHelp();

    DECLARE_MESSAGE_MAP()
};

#endif
