// The search dialog (102): masks, patterns, the directory to start in and
// the four flags.
#ifndef QUARN_QUARNDLG_H
#define QUARN_QUARNDLG_H

#include "afxwin.h"
#include "resource.h"

class CQuarnDlg : public CDialog {
public:
    CQuarnDlg();

    CString m_fileMasks;      // Filenames: blank-separated wildcard masks
    CString m_patternsText;   // Patterns: one a line
    CString m_directory;      // Directory: mirrors the current directory
    CListBox m_dirList;
    BOOL m_ignoreCase;
    BOOL m_lineNumbers;
    BOOL m_descend;
    BOOL m_unmatched;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    virtual void OnOK();

    afx_msg void OnDblclkDirList();
    afx_msg void OnHelp();

    DECLARE_MESSAGE_MAP()
};

#endif
