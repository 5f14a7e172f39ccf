// The head-and-tail dialog (112): which files, and which of their lines.
#ifndef OMBRIX_TAILDLG_H
#define OMBRIX_TAILDLG_H

#include "afxwin.h"
#include "resource.h"
#include "tail.h"

class CTailDlg : public CDialog {
public:
    CTailDlg();

    // In data-exchange order.
    CListBox m_fileList;
    int m_program;          // 0 head, 1 tail
    CString m_directory;
    CString m_files;        // blank-separated wildcard specifications
    int m_skipLines;        // head only
    int m_lines;

    // The whole run into the output text.
    void Run();
    virtual void HeadFile(const char* name);
    virtual void TailFile(const char* name, long long size);

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    virtual void OnOK();

    afx_msg void OnDblclkFileList();
    afx_msg void OnHelp();

    DECLARE_MESSAGE_MAP()
};

#endif
