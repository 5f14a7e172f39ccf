// CFileDialog: the system's Open and Save As dialogs.
#ifndef TAMREL_AFXCDLG_H
#define TAMREL_AFXCDLG_H

#include <commdlg.h>

#include "afxwnd.h"

class CFileDialog {
public:
    // lpszFilter: "Text (*.txt)|*.txt|All Files (*.*)|*.*||", or null for none.
    explicit CFileDialog(BOOL bOpenFileDialog, const char* lpszDefExt = nullptr, const char* lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const char* lpszFilter = nullptr,
                         CWnd* pParentWnd = nullptr);

    // IDOK or IDCANCEL.
    INT_PTR DoModal();

    CString GetPathName() const { return m_szFileName; }
    CString GetFileName() const;
    CString GetFileExt() const;

    OPENFILENAMEA m_ofn;

private:
    BOOL m_bOpenFileDialog;
    CWnd* m_pParentWnd;
    CString m_strFilter;
    CString m_strDefExt;
    char m_szFileName[MAX_PATH];
};

#endif
