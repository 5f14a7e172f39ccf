// The small dialogs of the display settings and the editor: tab length,
// printer margin, the command that Invoke editor runs, and the editor
// program with its Browse button.
#ifndef ZODO_OPTIONSDLG_H
#define ZODO_OPTIONSDLG_H

#include "afxwin.h"

class CSetTabsDlg : public CDialog {
public:
    CSetTabsDlg(CWnd* pParent = nullptr);
    int m_tabLength;   // 1 to 16

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
};

class CPrinterMarginDlg : public CDialog {
public:
    CPrinterMarginDlg(CWnd* pParent = nullptr);
    int m_margin;   // 0 to 32 printer-font characters

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
};

class CRunCommandDlg : public CDialog {
public:
    CRunCommandDlg(CWnd* pParent = nullptr);
    CString m_commandName;   // at most 80 characters
    CString m_arguments;     // at most 80 characters

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
};

class CSetEditorDlg : public CDialog {
public:
    CSetEditorDlg(CWnd* pParent = nullptr);
    CString m_programName;   // at most 40 characters

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    // Puts the lower-cased full path of a chosen program into the field.
    afx_msg void OnBrowse();
    DECLARE_MESSAGE_MAP()
};

#endif
