// The edit dialog (106): input files, output file, script and switches; OK
// runs the script over the files through the window-free engine (engine.h).
#ifndef VANTIC_VANTICDLG_H
#define VANTIC_VANTICDLG_H

#include "afxwin.h"
#include "engine.h"
#include "resource.h"

class CVanticDlg : public CDialog {
public:
    CVanticDlg();

    // In data-exchange order.
    CListBox m_dirList;
    CString m_currentDir;
    CString m_inputFiles;   // blank-separated names or wildcards
    CString m_outputFile;   // empty: edit in place
    CString m_script;
    BOOL m_suppressOutput;
    BOOL m_developmentMode;

    // 0 when every input file was edited, 1 when the run stopped after a
    // message.
    virtual int EditFiles();

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    virtual void OnOK();

    afx_msg void OnPasteFrom();
    afx_msg void OnCopyTo();
    afx_msg void OnDblclkDirList();
    afx_msg void OnHelp();

    DECLARE_MESSAGE_MAP()

private:
    // Back to the drive and directory of m_currentDir, which a file dialog
    // may have changed.
    void RestoreCurrentDirectory();
};

#endif
