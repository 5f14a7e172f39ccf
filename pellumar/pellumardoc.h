// The shell's one document: the current directory (also its title) and the
// tool settings, and the File and Utilities commands that act on them.
#ifndef PELLUMAR_PELLUMARDOC_H
#define PELLUMAR_PELLUMARDOC_H

#include "afxwin.h"

class CPellumarView;

class CPellumarDoc : public CDocument {
    DECLARE_DYNCREATE(CPellumarDoc)
protected:
    CPellumarDoc() {}

public:
    // Held in growing strings: a directory or setting longer than a fixed
    // buffer is kept whole, never cut to another path.
    CString m_cwd;
    CString m_loadPath;
    CString m_editor;
    CString m_shell;

    virtual BOOL OnNewDocument();
    // The full path of the selected plain file; FALSE, path untouched, when
    // nothing, a directory or the total line is selected.
    virtual BOOL GetSelectedFile(CString& path);
    virtual void ToShortName(CString& path);

    // m_cwd read again from the system, and the title with it.
    void ReadCurrentDirectory();
    CPellumarView* GetView() const;
    void Relist();

    // The launchers of the Utilities, Filters and Frandel menus come from
    // one table, answered here rather than by a map entry each.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    afx_msg void OnFileChangeDir();
    afx_msg void OnFileMakeDir();
    afx_msg void OnFileRemoveDir();
    afx_msg void OnFileCopy();
    afx_msg void OnFileDelete();
    afx_msg void OnFileRename();
    afx_msg void OnFileDetails();
    afx_msg void OnFileRefresh();
    afx_msg void OnFileRunCommand();
    afx_msg void OnFileEditor();
    afx_msg void OnFileShell();
    afx_msg void OnFileSetup();
    afx_msg void OnUtilitiesCal();

private:
    void RunLauncher(int id);
    // WinExec, with the shell's message when it fails.
    void Start(const CString& commandLine);
    DECLARE_MESSAGE_MAP()
};

#endif
