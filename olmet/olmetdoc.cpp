#include "olmetdoc.h"

IMPLEMENT_DYNCREATE(COlmetDoc, CDocument)

BOOL COlmetDoc::OnNewDocument()
{
    return CDocument::OnNewDocument();
}

BOOL COlmetDoc::OnOpenDocument(const char* lpszPathName)
{
    olmet::LoadError error;
    {
        CWaitCursor wait;
        error = m_file.Load(lpszPathName);
    }
    if (error != olmet::LoadError::None) {
        AfxMessageBox(olmet::LoadMessage(error, lpszPathName).c_str());
        return FALSE;
    }
    return TRUE;
}
