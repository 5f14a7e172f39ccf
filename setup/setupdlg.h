// The setup dialog (101): where the suite lives, the tools the shell uses,
// and what to register; OK installs, Uninstall (after a question) removes.
#ifndef SETUP_SETUPDLG_H
#define SETUP_SETUPDLG_H

#include "afxwin.h"
#include "resource.h"

class CSetupDlg : public CDialog {
public:
    CSetupDlg();

    // In data-exchange order.
    CString m_directory;
    CString m_editor;
    BOOL m_addToFileManager;
    CString m_shellCommand;
    BOOL m_setViewer;
    BOOL m_setPrinter;
    CString m_gzip;
    BOOL m_addToExplorer;
    // Set by the Uninstall button: OK then means uninstall.
    BOOL m_uninstall;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual void OnOK();

    afx_msg void OnHelp();
    afx_msg void OnAbout();
    afx_msg void OnBrowseEditor();
    afx_msg void OnBrowseShell();
    afx_msg void OnBrowseGzip();
    afx_msg void OnUninstall();

    DECLARE_MESSAGE_MAP()
};

#endif
