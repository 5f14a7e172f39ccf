#include "afxwin.h"
#include "afxcomdlg.h"

#include <cstring>

CFileDialog::CFileDialog(BOOL bOpenFileDialog, const char* lpszDefExt, const char* lpszFileName, DWORD dwFlags,
                         const char* lpszFilter, CWnd* pParentWnd)
    : m_bOpenFileDialog(bOpenFileDialog), m_pParentWnd(pParentWnd)
{
    std::memset(&m_ofn, 0, sizeof(m_ofn));
    m_szFileName[0] = 0;
    if (lpszFileName)
        lstrcpynA(m_szFileName, lpszFileName, MAX_PATH);
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = MAX_PATH;
    m_ofn.Flags = dwFlags | OFN_EXPLORER;
    if (lpszDefExt) {
        m_strDefExt = lpszDefExt;
        m_ofn.lpstrDefExt = m_strDefExt;
    }
    if (lpszFilter) {
        // The system wants the parts NUL-separated and the list ended by two NULs.
        m_strFilter = lpszFilter;
        m_strFilter += '|';
        char* buffer = m_strFilter.GetBuffer(m_strFilter.GetLength());
        for (char* p = buffer; *p; ++p) {
            if (*p == '|')
                *p = 0;
        }
        m_strFilter.ReleaseBuffer(m_strFilter.GetLength());
        m_ofn.lpstrFilter = m_strFilter;
    }
}

INT_PTR CFileDialog::DoModal()
{
    m_ofn.hwndOwner = AfxGetDialogOwner(m_pParentWnd);
    m_ofn.hInstance = AfxGetInstanceHandle();
    BOOL ok = m_bOpenFileDialog ? AfxGetOpenFileName(&m_ofn) : AfxGetSaveFileName(&m_ofn);
    return ok ? IDOK : IDCANCEL;
}

CString CFileDialog::GetFileName() const
{
    CString path = m_szFileName;
    return path.Mid(path.ReverseFind('\\') + 1);
}

CString CFileDialog::GetFileExt() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot >= 0 ? name.Mid(dot + 1) : CString();
}
