// The mark dialogs of the pager and the hex viewer. Both programs keep 26
// marks, a to z; these dialogs ask for a letter and list the marks set.
// Their templates are in markdlg.rc, their ids in markres.h.
#ifndef TAMREL_MARKDLG_H
#define TAMREL_MARKDLG_H

#include "afxwin.h"
#include "markres.h"

// The mark letter (IDD_MARK): one character at most. The caller names the
// command in the caption ("Set Mark", "Skip to Mark").
class CMarkDlg : public CDialog {
public:
    explicit CMarkDlg(const char* caption = "Set Mark", CWnd* pParent = nullptr);

    CString m_caption;
    CString m_letter;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
};

// The marks that are set (IDD_SHOW_MARKS), one a line in a read-only
// field. OK ends it with IDOK; Clear All ends it with IDC_CLEAR_ALL and the
// caller clears the marks.
class CShowMarksDlg : public CDialog {
public:
    explicit CShowMarksDlg(CWnd* pParent = nullptr);

    CString m_list;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    afx_msg void OnClearAll();

    DECLARE_MESSAGE_MAP()
};

#endif
