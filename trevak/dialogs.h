// The archiver's dialogs: Read Archive and Write Archive with their Browse
// and Create Dir buttons, Archive Information, Browse, Make Directory,
// Rename, and the modeless "Reading...." and "Writing...." windows.
#ifndef TREVAK_DIALOGS_H
#define TREVAK_DIALOGS_H

#include "afxwin.h"

class CReadArchiveDlg : public CDialog {
public:
    CReadArchiveDlg();
    virtual void DoDataExchange(CDataExchange* pDX);

    CString m_target;
    int m_ignoreOlder;
    int m_noOverwrite;
    int m_rename;
    int m_extractChoice;   // 0 all files, 1 selected files only
    int m_restoreTimes;

protected:
    afx_msg void OnBrowse();
    afx_msg void OnCreateDir();
    DECLARE_MESSAGE_MAP()
};

class CWriteArchiveDlg : public CDialog {
public:
    CWriteArchiveDlg();
    virtual void DoDataExchange(CDataExchange* pDX);

    int m_action;   // 0 create, 1 append
    CString m_files;
    int m_format;   // 0 cpio, 1 ustar, 2 tar
    int m_descend;
    CString m_source;

protected:
    afx_msg void OnBrowse();
    DECLARE_MESSAGE_MAP()
};

class CArchiveInfoDlg : public CDialog {
public:
    CArchiveInfoDlg();
    virtual void DoDataExchange(CDataExchange* pDX);

    long long m_size;   // an archive may pass 2 GB, and long has 32 bits
    CString m_format;
    UINT m_members;
    CString m_updated;
    CString m_name;
};

class CBrowseDirDlg : public CDialog {
public:
    CBrowseDirDlg();
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange* pDX);

    CListBox m_dirList;
    CString m_currentDir;

protected:
    afx_msg void OnDirDoubleClick();
    DECLARE_MESSAGE_MAP()
};

class CMakeDirDlg : public CDialog {
public:
    CMakeDirDlg();
    virtual void DoDataExchange(CDataExchange* pDX);

    CString m_name;
};

class CRenameDlg : public CDialog {
public:
    CRenameDlg();
    virtual void DoDataExchange(CDataExchange* pDX);

    CString m_from;
    CString m_to;
};

// "Reading...." (106) and "Writing...." (108): made visible on creation,
// they show the name of the file at work and are repainted by hand, as no
// messages are handled while the work runs.
class CProgressDlg : public CDialog {
public:
    CProgressDlg(UINT nIDTemplate, CWnd* pParent);
    ~CProgressDlg();
    void ShowName(const char* name);
};

class CReadingDlg : public CProgressDlg {
public:
    explicit CReadingDlg(CWnd* pParent);
};

class CWritingDlg : public CProgressDlg {
public:
    explicit CWritingDlg(CWnd* pParent);
};

// Changes the drive named by "x:" at the start of dir, then the directory;
// false when it cannot be entered.
bool EnterDirectory(const CString& dir);

#endif
