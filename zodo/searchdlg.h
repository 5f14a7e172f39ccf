// The "Search" dialog: the regular expression (at most 40 characters), the
// anchors and case option, and whether the original or the rendered text
// is searched.
#ifndef ZODO_SEARCHDLG_H
#define ZODO_SEARCHDLG_H

#include "afxwin.h"

class CSearchDlg : public CDialog {
public:
    explicit CSearchDlg(CWnd* pParent = nullptr);

    CString m_expression;
    int m_anchorStart;
    int m_anchorEnd;
    int m_ignoreCase;
    int m_using;   // 0 the original text, 1 the rendered text

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
};

#endif
