// The file-type dialog (103): which files to name, or which list to show.
#ifndef OMBRIX_FILETYPEDLG_H
#define OMBRIX_FILETYPEDLG_H

#include "afxwin.h"
#include "filetype.h"
#include "resource.h"
#include "utilitydlg.h"

class CFileTypeDlg : public CUtilityDlg {
public:
    CFileTypeDlg();

    // In data-exchange order.
    CListBox m_dirList;
    BOOL m_magicFirst;
    int m_debug;   // 0 none, 1 registration, 2 magic numbers
    CString m_directory;
    CString m_files;   // blank-separated wildcard specifications

    // The whole run into the output text.
    virtual void Run();
    virtual void IdentifyFile(const char* name);
    virtual void ListRegistration();
    virtual void ListMagic();

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual const char* MissingInput() const;

    DECLARE_MESSAGE_MAP()
};

#endif
