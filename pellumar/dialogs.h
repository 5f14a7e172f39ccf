// The shell's small dialogs: each holds its fields and moves them to and
// from its controls; the commands that open them are in the document and
// the view.
#ifndef PELLUMAR_DIALOGS_H
#define PELLUMAR_DIALOGS_H

#include "afxwin.h"
#include "resource.h"

// "Filename Pattern" (108).
class CPatternDlg : public CDialog {
public:
    CPatternDlg() : CDialog(IDD_PATTERN) {}
    CString m_pattern;
    virtual void DoDataExchange(CDataExchange* pDX);
};

// "Change Directory" (102): the directory field and the picker of drives
// and subdirectories, whose double click moves the process at once.
class CChangeDirDlg : public CDialog {
public:
    CChangeDirDlg() : CDialog(IDD_CHANGE_DIR) {}
    CListBox m_dirList;
    CString m_dir;
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    afx_msg void OnDblclkDirList();
    DECLARE_MESSAGE_MAP()
};

// "Run Command" (103): a command, a file and the choice of Execute, the
// pager or the hex viewer.
class CRunCommandDlg : public CDialog {
public:
    CRunCommandDlg() : CDialog(IDD_RUN_COMMAND) {}
    CString m_command;
    CString m_file;
    int m_option = -1;
    virtual void DoDataExchange(CDataExchange* pDX);
    afx_msg void OnBrowse();
    DECLARE_MESSAGE_MAP()
};

// A dialog that serves two commands and shows the caller's caption.
class CCaptionedDlg : public CDialog {
public:
    CCaptionedDlg(UINT nIDTemplate, const char* caption) : CDialog(nIDTemplate), m_caption(caption) {}
    CString m_caption;
    virtual BOOL OnInitDialog();
};

// From and To (104): Copy and Rename.
class CFromToDlg : public CCaptionedDlg {
public:
    explicit CFromToDlg(const char* caption) : CCaptionedDlg(IDD_FROM_TO, caption) {}
    CString m_from;
    CString m_to;
    virtual void DoDataExchange(CDataExchange* pDX);
};

// "Delete File(s)" (105).
class CDeleteDlg : public CDialog {
public:
    CDeleteDlg() : CDialog(IDD_DELETE) {}
    CString m_files;
    int m_confirm = 1;
    virtual void DoDataExchange(CDataExchange* pDX);
};

// A directory name (106): Make and Remove directory.
class CDirNameDlg : public CCaptionedDlg {
public:
    explicit CDirNameDlg(const char* caption) : CCaptionedDlg(IDD_DIR_NAME, caption) {}
    CString m_currentDir;
    CString m_dirName;
    virtual void DoDataExchange(CDataExchange* pDX);
};

// "Cal for Windows" (109): a month drawn in the fixed font; Update redraws
// without closing.
class CCalDlg : public CDialog {
public:
    CCalDlg() : CDialog(IDD_CAL) {}
    CEdit m_title;
    CEdit m_grid;
    int m_month = 0;
    int m_year = 0;
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    void DrawMonth();
};

// "Drive details...." (110): filled before it opens, read only.
class CDriveDetailsDlg : public CDialog {
public:
    CDriveDetailsDlg() : CDialog(IDD_DRIVE_DETAILS) {}
    DWORD m_bytesPerSector = 0;
    CString m_currentDir;
    DWORD m_freeClusters = 0;
    DWORD m_sectorsPerCluster = 0;
    CString m_percentUsed;
    DWORD m_totalClusters = 0;
    CString m_driveType;
    CString m_freeMegabytes;
    CString m_totalMegabytes;
    virtual void DoDataExchange(CDataExchange* pDX);
};

#endif
