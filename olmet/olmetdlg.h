// olmet's own dialogs: the search pattern with its options (103) and the
// byte offset to go to (101). The mark dialogs are shared with the pager
// (shared/markdlg.h).
#ifndef OLMET_OLMETDLG_H
#define OLMET_OLMETDLG_H

#include "afxwin.h"
#include "hexrows.h"
#include "resource.h"

class CSearchDlg : public CDialog {
public:
    explicit CSearchDlg(CWnd* pParent = nullptr);

    CString m_pattern;   // at most 40 characters
    int m_anchorStart;
    int m_anchorEnd;
    int m_ignoreCase;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
};

class COffsetDlg : public CDialog {
public:
    explicit COffsetDlg(CWnd* pParent = nullptr);

    // The top row's offset when the dialog opens, which past 2 GB is more
    // than a long holds; 0 to 9999999 after OK.
    olmet::Offset m_offset;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
};

#endif
